#include "system/winapi.h"
#include "toolkit/Color.h"

TColor PlatformSystemColor(int index) {
  return static_cast<TColor>(GetSysColor(index));
}
