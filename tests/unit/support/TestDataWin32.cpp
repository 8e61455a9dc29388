#include <stdexcept>
#include <string>

#include "TestData.h"
#include "system/winapi.h"

namespace {

// The text in the system code page, or false when the code page has no exact
// spelling of it (a best-fit character would name another file).
bool AnsiSpelling(const std::wstring& text, std::string& spelt) {
  const int length = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                        0, nullptr, &lossy);
  if (bytes <= 0 || lossy) return false;
  spelt.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, &spelt[0], bytes, nullptr,
                      &lossy);
  return !lossy;
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw std::runtime_error("cannot find the test program's own path, error " +
                               std::to_string(GetLastError()));
    }
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string TestProgramFolder() {
  const std::wstring program = ProgramPath();
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
  std::string spelt;
  if (AnsiSpelling(folder, spelt)) return spelt;
  std::wstring shortForm(MAX_PATH, L'\0');
  const DWORD length =
      GetShortPathNameW(folder.c_str(), &shortForm[0], static_cast<DWORD>(shortForm.size()));
  if (length > 0 && length < shortForm.size() && AnsiSpelling(shortForm.substr(0, length), spelt))
    return spelt;
  throw std::runtime_error("the test program's folder cannot be spelt in the system code page (" +
                           std::to_string(GetACP()) +
                           ") and has no short name: move the tests into a folder whose path "
                           "has only characters of that code page");
}
