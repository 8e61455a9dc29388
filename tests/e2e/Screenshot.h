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

// The whole window, frame included (client == false), or its client area. Read
// from the screen (PrintWindow gives black under Wine), so the window must be on top.
Screenshot Capture(HWND window, bool client);

// An RGB PNG, deflated with zlib; false when the file cannot be written.
bool SavePng(const Screenshot& shot, const std::string& path);

}  // namespace e2e
