#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Creates path for writing only when nothing is there: an existing file, or a
// symbolic link someone placed under that name, is never opened.
std::FILE* CreateExclusively(const std::string& path) {
#ifdef _WIN32
  const int fd =
      _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* const file = fdopen(fd, "wb");
  if (file == nullptr) close(fd);
  return file;
#endif
}

long ProcessId() {
#ifdef _WIN32
  return _getpid();
#else
  return static_cast<long>(getpid());
#endif
}

bool IsReadOnly(fs::perms permissions) {
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (permissions & kAnyWrite) == fs::perms::none;
}

}  // namespace

void CheckOutputPath(const std::string& path) {
  std::error_code failure;
  const fs::file_status status = fs::symlink_status(path, failure);
  if (status.type() == fs::file_type::not_found) return;
  if (failure) throw EOutputError(path + ": cannot write (" + failure.message() + ")");
  switch (status.type()) {
    case fs::file_type::symlink:
      throw EOutputError(path + ": is a symbolic link; a tool never writes through one");
    case fs::file_type::directory:
      throw EOutputError(path + ": is a folder");
    case fs::file_type::regular:
      if (IsReadOnly(status.permissions())) throw EOutputError(path + ": is read-only");
      return;
    default:
      throw EOutputError(path + ": is not a regular file");
  }
}

TPendingOutput::TPendingOutput(const std::string& path) : path_(path) {
  CheckOutputPath(path);
  // Beside the target, so that the final move stays within one file system.
  const fs::path target(path);
  const std::string stem = "." + target.filename().string() + "." + std::to_string(ProcessId());
  for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
    temporary_ = (target.parent_path() / (stem + "-" + std::to_string(attempt) + ".tmp")).string();
    file_ = CreateExclusively(temporary_);
    if (file_ == nullptr && errno != EEXIST) break;
  }
  if (file_ == nullptr) {
    const std::string reason = std::strerror(errno);
    temporary_.clear();
    throw EOutputError(path + ": cannot write (" + reason + ")");
  }
}

TPendingOutput::~TPendingOutput() {
  if (!committed_) Discard();
}

void TPendingOutput::Write(const void* data, std::size_t size) {
  if (file_ == nullptr) throw EOutputError(path_ + ": cannot write (already closed)");
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) Fail(std::strerror(errno));
}

void TPendingOutput::Commit() {
  if (file_ == nullptr) throw EOutputError(path_ + ": cannot write (already closed)");
  std::FILE* const file = std::exchange(file_, nullptr);
  const bool flushed = std::fflush(file) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) Fail(std::strerror(flushed ? errno : flushError));
  // The target may have changed since the constructor looked at it.
  try {
    CheckOutputPath(path_);
  } catch (const EOutputError&) {
    Discard();
    throw;
  }
  std::error_code failure;
  fs::rename(temporary_, path_, failure);
  if (failure) Fail(failure.message());
  committed_ = true;
}

void TPendingOutput::Fail(const std::string& reason) {
  Discard();
  throw EOutputError(path_ + ": cannot write (" + reason + ")");
}

void TPendingOutput::Discard() {
  if (file_ != nullptr) std::fclose(std::exchange(file_, nullptr));
  if (!temporary_.empty()) std::remove(temporary_.c_str());
  temporary_.clear();
}

void WriteOutputFile(const std::string& path, const void* data, std::size_t size) {
  TPendingOutput output(path);
  output.Write(data, size);
  output.Commit();
}
