#include "system/FolderListing.h"

#include "system/DirectorySearch.h"
#include "system/FileSize.h"

std::string ListNames(const std::string& folder, const std::string& mask, bool foldersOnly) {
  std::string names;
  if (folder.empty()) return names;
  // A plain byte test, unlike the code-page-aware trailing backslash rule.
  const std::string searchFolder = folder.back() == '\\' ? folder : folder + '\\';
  const DWORD filter = foldersOnly ? faDirectory : faReadOnly | faHidden | faSysFile | faArchive;
  for (TDirectorySearch search(searchFolder + mask, filter); search.Found(); search.Next()) {
    if (foldersOnly && !search.IsFolder()) continue;
    const std::string name = search.Name();
    if (name == "." || name == "..") continue;
    if (!names.empty()) names += "\r\n";
    names += name;
  }
  return names;
}

std::int32_t FirstMatchSize(const std::string& pathOrPattern) {
  const TDirectorySearch search(pathOrPattern, faAnyFile);
  if (!search.Found()) return -1;
  return SaturatedSize32(search.Entry().nFileSizeHigh, search.Entry().nFileSizeLow);
}
