// On Windows names fold the way the user's locale folds them, as the rest of the
// system does when it shows and compares text in the system code page.
#include <climits>

#include "system/winapi.h"
#include "toolkit/StringList.h"

int CompareTextUserLocale(const std::string& a, const std::string& b) {
  if (a.size() <= INT_MAX && b.size() <= INT_MAX) {
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                       b.data(), static_cast<int>(b.size()));
    if (result != 0) return result - CSTR_EQUAL;
  }
  // The call fails only for arguments it cannot take; folding ASCII still orders
  // every name the tables of this system hold.
  return CompareTextAscii(a, b);
}
