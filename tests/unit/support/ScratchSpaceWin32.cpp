#include <optional>
#include <stdexcept>

#include "ScratchSpace.h"
#include "system/DirectorySearch.h"
#include "system/PathText.h"
#include "system/SpecialFolders.h"
#include "system/WidePath.h"
#include "system/winapi.h"

std::wstring LongSpelling(const std::wstring& path) {
  std::wstring spelt(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetLongPathNameW(path.c_str(), spelt.data(), static_cast<DWORD>(spelt.size()));
    if (length == 0) return path;
    if (length < spelt.size()) return spelt.substr(0, length);
    spelt.resize(length);
  }
}

namespace {

// The temporary folder in its long spelling, where the code page spells it.
std::string TempFolderSpeltLong() {
  const std::string temp = TempFolder();
  const std::optional<std::string> ansi = ExactAnsiText(LongSpelling(WidePath(temp)));
  return ansi ? IncludeTrailingBackslash(*ansi) : temp;
}

void RemoveTree(const std::string& folder) {
  for (TDirectorySearch search(folder + "*", faAnyFile); search.Found(); search.Next()) {
    const std::string name = search.Name();
    if (name == "." || name == "..") continue;
    const std::string path = folder + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (search.IsFolder()) {
      RemoveTree(path + "\\");
    } else {
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TScratchFolder::TScratchFolder()
    : path_(TempFolderSpeltLong() + "hvtest-" + UniqueTestSuffix() + "\\") {
  if (!CreateDirectoryA(path_.c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + path_ + ", error " +
                             std::to_string(GetLastError()));
  }
}

TScratchFolder::~TScratchFolder() {
  RemoveTree(path_);
}
