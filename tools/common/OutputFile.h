// The files a host tool writes (containers, window descriptions, pictures, stand-in
// payload files, dependency files). Whatever goes wrong, a tool never leaves a
// half-written file where a whole one was, never removes or overwrites what it may
// not (a folder, a read-only file, a device) and never writes through a symbolic
// link: a new version is written under a temporary name beside the target and
// moved over it only once it is complete.
#pragma once

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>

// One line naming the path and what is wrong with it.
class EOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EOutputError when path is a symbolic link, a folder, a read-only file or
// anything but a regular file; a path that does not exist yet is fine.
void CheckOutputPath(const std::string& path);

// A new version of one file. The constructor checks the target (CheckOutputPath)
// and creates the temporary file, never opening one that is already there; Write
// appends to it; Commit moves it over the target. Destroyed without Commit, or
// after a failure, it removes its temporary file and the target stays as it was.
class TPendingOutput {
 public:
  explicit TPendingOutput(const std::string& path);
  ~TPendingOutput();
  TPendingOutput(const TPendingOutput&) = delete;
  TPendingOutput& operator=(const TPendingOutput&) = delete;

  void Write(const void* data, std::size_t size);
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& reason);
  void Discard();

  std::string path_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

// The whole file at once: TPendingOutput, one Write, Commit.
void WriteOutputFile(const std::string& path, const void* data, std::size_t size);
