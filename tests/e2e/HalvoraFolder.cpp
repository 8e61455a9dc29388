#include "HalvoraFolder.h"

#include <stdexcept>

#include "system/winapi.h"

namespace e2e {

HalvoraFolder::HalvoraFolder(std::int64_t exeSize, bool withHelpFile, std::size_t pathLength)
    : path_(root_ / "Veltro\\Halvora 7\\") {
  if (pathLength > path_.size()) {
    path_.insert(path_.size() - 1, std::string(pathLength - path_.size(), 'x'));
  }
  CreateDirectoryA((root_ / "Veltro\\").c_str(), nullptr);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
  MakeFileOfSize(Exe(), exeSize);
  if (withHelpFile) MakeFileOfSize(path_ + "HV7.chm", 4096);
}

}  // namespace e2e
