// Real windows for the Wine tests: a top-level window, a few standard controls,
// a message pump and a reader of what a window draws.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/win32/WinControl.h"

// A visible top-level window in the button-face colour.
class TTestWindow : public TWinControl {
 public:
  TTestWindow();
  // Makes the window and its children and paints them.
  void Show();

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A standard edit box: a control that is not a button.
class TEditBox : public TWinControl {
 public:
  explicit TEditBox(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A standard static text, which asks its parent for its colours.
class TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

// Handles every waiting message, for at least `milliseconds`, so that the X
// server has shown what was painted.
void PumpMessages(int milliseconds = 150);

// The client area of a window as the window draws it (e2e::Capture).
struct TScreenPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;  // TColor layout
  TColor At(int x, int y) const {
    return static_cast<TColor>(Pixels[static_cast<std::size_t>(y * Width + x)]);
  }
};
TScreenPixels CaptureClient(HWND window);

// The button-type bits of a BUTTON window's style.
LONG_PTR ButtonType(HWND button);
