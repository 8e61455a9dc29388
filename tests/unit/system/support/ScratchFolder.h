// File-system fixtures of the Windows tests: a fresh folder that disappears with
// the test, and whole-file writes; whole-file reads are the host tools' own
// (ReadInputText, InputFile.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/InputFile.h"

// A new, empty folder below the temporary-files folder; removed with everything in
// it when the object goes.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The folder, ending in a backslash.
  const std::string& Path() const { return path_; }
  // The full path of name inside the folder.
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& folder);

void WriteWholeFile(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
// A file of the given size whose bytes are never written (they read as zeros): sizes
// of megabytes without writing megabytes.
void MakeFileOfSize(const std::string& path, std::int64_t size);
// The names in a folder other than "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
