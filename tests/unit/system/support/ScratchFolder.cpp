#include "ScratchFolder.h"

#include <algorithm>
#include <stdexcept>

#include "system/DirectorySearch.h"
#include "system/Handles.h"
#include "system/SpecialFolders.h"
#include "tools/common/OutputFile.h"

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  WriteOutputFile(path, bytes.data(), bytes.size());
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
