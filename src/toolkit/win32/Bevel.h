// TBevel: an etched line or frame that separates parts of a form. Win32 layer.
#pragma once

#include <cstdint>

#include "toolkit/win32/WinControl.h"

enum TBevelShape : std::uint8_t {
  bsBox,
  bsFrame,
  bsTopLine,
  bsBottomLine,
  bsLeftLine,
  bsRightLine,
  bsSpacer
};
enum TBevelStyle : std::uint8_t { bsLowered, bsRaised };

class TBevel : public TWinControl {
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);

  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
