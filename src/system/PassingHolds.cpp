#include "system/PassingHolds.h"

#include <algorithm>

#include "system/winapi.h"

namespace {

constexpr ULONGLONG kPatienceMs = 3000;
constexpr DWORD kFirstWaitMs = 20;
constexpr DWORD kLongestWaitMs = 500;

bool IsPassingHoldError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

}  // namespace

bool RetryWhileHeld(const std::function<bool()>& attempt) {
  const ULONGLONG start = GetTickCount64();
  DWORD wait = kFirstWaitMs;
  for (;;) {
    if (attempt()) return true;
    const DWORD error = GetLastError();
    if (!IsPassingHoldError(error)) return false;
    const ULONGLONG waited = GetTickCount64() - start;
    if (waited + wait > kPatienceMs) {
      SetLastError(error);
      return false;
    }
    Sleep(wait);
    wait = std::min(wait * 2, kLongestWaitMs);
  }
}
