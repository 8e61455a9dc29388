#include <optional>
#include <stdexcept>
#include <string>

#include "TestData.h"
#include "system/SpecialFolders.h"
#include "system/WidePath.h"
#include "system/winapi.h"

std::string TestProgramFolder() {
  const std::wstring program = ExecutablePathWide();
  if (program.empty()) {
    throw std::runtime_error("cannot find the test program's own path, error " +
                             std::to_string(GetLastError()));
  }
  const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
  if (std::optional<std::string> spelt = AnsiPathFor(folder)) return *spelt;
  throw std::runtime_error("the test program's folder cannot be spelt in the system code page (" +
                           std::to_string(GetACP()) +
                           ") and has no short name: move the tests into a folder whose path "
                           "has only characters of that code page");
}
