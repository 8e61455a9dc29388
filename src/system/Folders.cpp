#include "system/Folders.h"

#include "system/DirectorySearch.h"
#include "system/PathText.h"
#include "system/winapi.h"

void CreatePathFolders(const std::string& filePath) {
  const std::string folder = FolderPart(filePath);
  for (const std::size_t backslash : FindDelimiters(folder, "\\")) {
    // Most attempts fail because the folder is already there; nothing to do about it.
    CreateDirectoryA(folder.substr(0, backslash + 1).c_str(), nullptr);
  }
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FolderIsEmpty(const std::string& folder) {
  if (!FolderExists(folder)) return false;
  TDirectorySearch search(IncludeTrailingBackslash(folder) + "*.*", faAnyFile);
  if (!search.Found()) return false;
  for (; search.Found(); search.Next()) {
    const std::string name = search.Name();
    if (name != "." && name != "..") return false;
  }
  return true;
}

bool FileExists(const std::string& path) {
  const TDirectorySearch search(path, faAnyFile);
  return search.Found() && !search.IsFolder();
}
