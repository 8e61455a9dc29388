#include "HalvoraFolder.h"

#include <atomic>
#include <stdexcept>

#include "system/winapi.h"

namespace e2e {

namespace {

std::string UniqueRoot() {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH + 1] = {};
  if (GetTempPathA(sizeof temp, temp) == 0) throw std::runtime_error("no temporary folder");
  // Wine reuses process ids, so the tick count keeps folders of earlier runs apart.
  return std::string(temp) + "hv-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(GetTickCount()) + "-" + std::to_string(counter++) + "\\";
}

}  // namespace

HalvoraFolder::HalvoraFolder(std::int64_t exeSize, bool withHelpFile)
    : root_(UniqueRoot()), path_(root_ + "Veltro\\Halvora 7\\") {
  RemoveTree(root_);
  CreateDirectoryA(root_.c_str(), nullptr);
  CreateDirectoryA((root_ + "Veltro\\").c_str(), nullptr);
  if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
  MakeFileOfSize(Exe(), exeSize);
  if (withHelpFile) MakeFileOfSize(path_ + "HV7.chm", 4096);
}

HalvoraFolder::~HalvoraFolder() { RemoveTree(root_); }

void MakeFileOfSize(const std::string& path, std::int64_t size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
  LARGE_INTEGER end;
  end.QuadPart = size;
  const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  if (!sized) throw std::runtime_error("cannot size " + path);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  const bool ok = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) &&
                                    read == bytes.size());
  CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot read " + path);
  return bytes;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + "\\");
      } else {
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((folder + name).c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace e2e
