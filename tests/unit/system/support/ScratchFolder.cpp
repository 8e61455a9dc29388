#include "ScratchFolder.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "TestNames.h"
#include "system/DirectorySearch.h"
#include "system/Handles.h"
#include "system/PathText.h"
#include "system/SpecialFolders.h"
#include "system/WidePath.h"

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

void RemoveTree(const std::string& folder) {
  const std::string base = folder.back() == '\\' ? folder : folder + '\\';
  for (TDirectorySearch search(base + "*", faAnyFile); search.Found(); search.Next()) {
    const std::string name = search.Name();
    if (name == "." || name == "..") continue;
    const std::string path = base + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (search.IsFolder()) {
      RemoveTree(path);
    } else {
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(base.c_str());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFileOfSize(const std::string& path, std::int64_t size) {
  TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) throw std::runtime_error("cannot create " + path);
  LARGE_INTEGER end;
  end.QuadPart = size;
  if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get()) ||
      !file.Close()) {
    throw std::runtime_error("cannot size " + path);
  }
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  const std::string base = folder.back() == '\\' ? folder : folder + '\\';
  for (TDirectorySearch search(base + "*", faAnyFile); search.Found(); search.Next()) {
    const std::string name = search.Name();
    if (name != "." && name != "..") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}
