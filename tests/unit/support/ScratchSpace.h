// Scratch space of the tests: names that no other test run uses, earlier or at the
// same time (another build's, say), and a fresh folder that disappears with the test.
// Each build links its own way of making and removing the folder.
#pragma once

#include <string>

std::string UniqueTestSuffix();

// A new, empty folder below the temporary-files folder; removed with everything in it
// (read-only files too) when the object goes.
class TScratchFolder {
 public:
  TScratchFolder();
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The folder, ending in the platform's separator (on Windows in the system code
  // page, as the tests' ANSI calls take it).
  const std::string& Path() const { return path_; }
  // The full path of name inside the folder.
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};
