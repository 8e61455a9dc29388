#include "TestNames.h"

#include <atomic>
#include <sstream>

#include "system/winapi.h"

std::string UniqueTestSuffix() {
  static std::atomic<unsigned> counter{0};
  std::ostringstream text;
  text << GetCurrentProcessId() << '-' << GetTickCount() << '-' << counter++;
  return text.str();
}
