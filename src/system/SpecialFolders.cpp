#include "system/SpecialFolders.h"

#include <cstring>
#include <vector>

#include "system/PathText.h"

namespace {

constexpr DWORD kFolderBufferSize = 260;
// The longest path the platform handles at all; a larger request is a faulty answer.
constexpr DWORD kLongestPath = 32768;
// A folder that changes between two calls may need a second retry; more is a fault.
constexpr int kQueryAttempts = 3;

// GetModuleFileName in either width: a result that fills the buffer is a cut-off
// path, so the buffer grows until the path fits. Empty when the platform cannot name
// the executable.
template <class Char, class Query>
std::basic_string<Char> ExecutablePathIn(const Query& query) {
  std::vector<Char> buffer(MAX_PATH, Char());
  while (buffer.size() <= kLongestPath) {
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = query(buffer.data(), capacity);
    if (length == 0) break;
    if (length < capacity) return std::basic_string<Char>(buffer.data(), length);
    buffer.assign(buffer.size() * 2, Char());
  }
  return std::basic_string<Char>();
}

}  // namespace

std::string ReadFolderQuery(const TFolderQuery& query) {
  std::vector<char> buffer(kFolderBufferSize, '\0');
  for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD result = query(buffer.data(), capacity);
    if (result == 0) break;
    if (result < capacity) {
      // Only the result's bytes were written; the text may end earlier still.
      return IncludeTrailingBackslash(std::string(buffer.data(), strnlen(buffer.data(), result)));
    }
    if (result > kLongestPath) break;
    buffer.assign(result + 1, '\0');
  }
  return IncludeTrailingBackslash(std::string());
}

std::string TempFolder() {
  return ReadFolderQuery(
      [](char* buffer, DWORD capacity) { return GetTempPathA(capacity, buffer); });
}

std::string SystemFolder() {
  return ReadFolderQuery([](char* buffer, DWORD capacity) {
    return static_cast<DWORD>(GetSystemDirectoryA(buffer, capacity));
  });
}

std::string WindowsFolder() {
  return ReadFolderQuery([](char* buffer, DWORD capacity) {
    return static_cast<DWORD>(GetWindowsDirectoryA(buffer, capacity));
  });
}

std::string ExecutableFolder() {
  const std::string path = ExecutablePathIn<char>(
      [](char* buffer, DWORD capacity) { return GetModuleFileNameA(nullptr, buffer, capacity); });
  return IncludeTrailingBackslash(path.empty() ? path : FolderPart(path));
}

std::wstring ExecutablePathWide() {
  return ExecutablePathIn<wchar_t>([](wchar_t* buffer, DWORD capacity) {
    return GetModuleFileNameW(nullptr, buffer, capacity);
  });
}
