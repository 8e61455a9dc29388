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

std::optional<std::string> ExactAnsiText(const std::wstring& path) {
  if (path.empty()) return std::string();
  // A UTF-8 system code page holds every character; it takes neither the flag nor
  // the default-character question.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const askDefault = utf8 ? nullptr : &usedDefault;
  const int size = static_cast<int>(path.size());
  const int length =
      WideCharToMultiByte(CP_ACP, flags, path.data(), size, nullptr, 0, nullptr, askDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(CP_ACP, flags, path.data(), size, text.data(), length, nullptr,
                          askDefault) != length ||
      usedDefault) {
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> AnsiPathFor(const std::wstring& path) {
  if (std::optional<std::string> exact = ExactAnsiText(path)) return exact;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;  // no such file, or no short names on its volume
  std::vector<wchar_t> shortPath(needed, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  return ExactAnsiText(std::wstring(shortPath.data(), length));
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
