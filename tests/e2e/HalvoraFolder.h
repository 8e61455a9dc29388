// A throw-away Halvora installation folder: HALVORA.EXE of a chosen size (made by
// extending the file, not by writing megabytes) and, optionally, its help file.
// The file helpers of the tests (ReadInputText, MakeFileOfSize, PathExists) come
// with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/unit/system/support/ScratchFolder.h"

namespace e2e {

class HalvoraFolder {
 public:
  // The folder "...\Veltro\Halvora 7\" in a scratch folder; with a pathLength, its
  // name is lengthened so that its path, the last backslash included, is that long.
  HalvoraFolder(std::int64_t exeSize, bool withHelpFile, std::size_t pathLength = 0);

  // The folder, ending in a backslash.
  const std::string& Path() const { return path_; }
  std::string Exe() const { return path_ + "HALVORA.EXE"; }

 private:
  TScratchFolder root_;  // removed with everything in it
  std::string path_;
};

}  // namespace e2e
