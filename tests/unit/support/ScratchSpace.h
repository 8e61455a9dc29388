// Scratch space of the tests: names that no other test run uses, earlier or at the
// same time (another build's, say), and a fresh folder that disappears with the test.
// Each build links its own way of making and removing the folder.
#pragma once

#include <string>

std::string UniqueTestSuffix();

#ifdef _WIN32
// The path in its long spelling; itself when it does not exist. %TEMP% may hold the
// short (8.3) form, as Windows writes it for a user name longer than eight characters
// or with a space, while the open-file dialog and the listings hand back the long one:
// a path measured against the short form grows past its length there.
std::wstring LongSpelling(const std::wstring& path);
#endif

// A new, empty folder below the temporary-files folder (on Windows in its long
// spelling where the code page spells that); removed with everything in it (read-only
// files too) when the object goes.
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
