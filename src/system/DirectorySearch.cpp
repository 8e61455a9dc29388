#include "system/DirectorySearch.h"

#include <cstring>

namespace {
constexpr DWORD kSpecialAttributes = faHidden | faSysFile | faVolumeID | faDirectory;
}

TDirectorySearch::TDirectorySearch(const std::string& pattern, DWORD attributeFilter)
    : excluded_(~attributeFilter & kSpecialAttributes) {
  // In the body: entry_ must be initialised before the search writes into it.
  handle_ = TFindHandle(FindFirstFileA(pattern.c_str(), &entry_));
  found_ = handle_.Valid();
  SkipExcluded();
}

std::string TDirectorySearch::Name() const {
  return std::string(entry_.cFileName, strnlen(entry_.cFileName, sizeof entry_.cFileName));
}

bool TDirectorySearch::Next() {
  if (!found_) return false;
  // The end of the listing and a failing search both end it here.
  found_ = FindNextFileA(handle_.Get(), &entry_) != FALSE;
  SkipExcluded();
  return found_;
}

void TDirectorySearch::SkipExcluded() {
  while (found_ && (entry_.dwFileAttributes & excluded_) != 0) {
    found_ = FindNextFileA(handle_.Get(), &entry_) != FALSE;
  }
}
