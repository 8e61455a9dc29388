#include "system/WidePath.h"

#include <cwchar>
#include <vector>

#include "system/winapi.h"

namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring WidePath(const std::string& path) {
  if (path.empty()) return {};
  const int size = static_cast<int>(path.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
  return wide;
}

std::wstring LongPathForm(const std::string& path) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return {};
  if (StartsWith(wide, kLongPathPrefix)) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::vector<wchar_t> full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  const std::wstring fullPath(full.data(), length);
  if (StartsWith(fullPath, L"\\\\.\\")) return fullPath;  // a device: no long form
  if (StartsWith(fullPath, L"\\\\")) return kLongUncPrefix + fullPath.substr(2);
  return kLongPathPrefix + fullPath;
}
