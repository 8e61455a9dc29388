// Reads what a window shows on screen, and saves it as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/winapi.h"

namespace e2e {

struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top

  // The colour at (x, y) in the COLORREF layout (red in the low byte).
  COLORREF At(int x, int y) const;
};

// Text on screen is told from its ground by colour family, not by exact colour, so
// that smoothing (grey or ClearType's coloured edges) and another face pass while
// text of another colour does not: a pixel is ink when each of its channels lies
// at least halfway from the ground's value to the ink's. Blended edge pixels may
// fall short; the stems and bars of any face in the right colour do not.
bool IsInk(COLORREF pixel, COLORREF ink, COLORREF ground);

// The ink pixels inside `area` (right and bottom excluded; clipped to the shot), and
// the smallest rectangle that holds them, empty when there are none.
struct InkFound {
  int pixels = 0;
  RECT bounds{0, 0, 0, 0};
};
InkFound FindInk(const Screenshot& shot, const RECT& area, COLORREF ink, COLORREF ground);

// The whole window, frame included (client == false), or its client area, as the
// window draws itself at its own size (PrintWindow), not as the screen shows it, which
// display scaling may have stretched. Under Wine, whose PrintWindow leaves out child
// windows, the window's pixels are read from the screen instead, where Wine draws it
// unscaled: there the window must be on top. Empty (width 0) when it cannot be read.
Screenshot Capture(HWND window, bool client);

// Whether this program runs under Wine rather than Windows.
bool RunsUnderWine();

// Windows shows a DPI-unaware program, the installer and these tests among them, as at
// 96 DPI at any display scaling (stretching it on screen, which PrintWindow does not
// read), so the layout's sizes and pixels hold there. Wine at another DPI gives such a
// program that DPI (Wine 8), or tells it 96 while it frames and stretches the window at
// the real one (Wine 10): there checks of them are skipped. The display's DPI where Wine
// runs at one other than 96, to name in the skip; 0 where the checks hold.
int WineDpiOtherThan96();

// An RGB PNG, deflated with zlib; false when the file cannot be written.
bool SavePng(const Screenshot& shot, const std::string& path);

}  // namespace e2e
