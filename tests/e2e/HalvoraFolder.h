// A throw-away Halvora installation folder: HALVORA.EXE of a chosen size (made by
// extending the file, not by writing megabytes) and, optionally, its help file.
#pragma once

#include <cstdint>
#include <string>

namespace e2e {

class HalvoraFolder {
 public:
  HalvoraFolder(std::int64_t exeSize, bool withHelpFile);
  ~HalvoraFolder();
  HalvoraFolder(const HalvoraFolder&) = delete;
  HalvoraFolder& operator=(const HalvoraFolder&) = delete;

  // The folder, ending in a backslash.
  const std::string& Path() const { return path_; }
  std::string Exe() const { return path_ + "HALVORA.EXE"; }

 private:
  std::string root_;
  std::string path_;
};

// Makes a file of the given size whose bytes are not written (they read as zeros).
void MakeFileOfSize(const std::string& path, std::int64_t size);
bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void RemoveTree(const std::string& folder);

}  // namespace e2e
