#include <stdexcept>

#include "ScratchSpace.h"
#include "system/DirectorySearch.h"
#include "system/SpecialFolders.h"
#include "system/winapi.h"

namespace {

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

TScratchFolder::TScratchFolder() : path_(TempFolder() + "hvtest-" + UniqueTestSuffix() + "\\") {
  if (!CreateDirectoryA(path_.c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + path_ + ", error " +
                             std::to_string(GetLastError()));
  }
}

TScratchFolder::~TScratchFolder() {
  RemoveTree(path_);
}
