// The HFONT of a TFont. Win32 layer only. Rebuilt only when the description
// differs from the one it was made from.
#pragma once

#include "system/winapi.h"
#include "toolkit/Font.h"
#include "toolkit/win32/GdiHandles.h"

class TFontHandle {
 public:
  // The font for `font`, made on first use and after `font` changed. Null if
  // the system could not make it.
  HFONT For(const TFont& font);

 private:
  TFontObject handle_;
  TFont madeFrom_;
};
