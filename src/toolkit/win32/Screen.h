// TScreen: the cursor shown over every form and the fonts the system has. Win32 layer.
#pragma once

#include "system/winapi.h"
#include "toolkit/StringList.h"

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;

class TScreen {
 public:
  TCursor Cursor() const { return cursor_; }
  // Shows the cursor at once (and over every form until it is set back to crDefault).
  void SetCursor(TCursor cursor);
  HCURSOR CursorHandle() const;

  // The names of the installed font families, sorted, each once. Read once.
  const TStringList& Fonts();
  // Logical pixels per inch of the screen.
  static int PixelsPerInch();

 private:
  TCursor cursor_ = crDefault;
  TStringList fonts_;
  bool fontsRead_ = false;
};

extern TScreen Screen;
