#include "toolkit/win32/Bevel.h"

#include "toolkit/win32/GdiSurface.h"

TBevel::TBevel(TComponent* owner) : TWinControl(owner) {}

void TBevel::SetShape(TBevelShape shape) {
  if (shape == shape_) return;
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style == style_) return;
  style_ = style;
  Invalidate();
}

void TBevel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.OwnClassName = "HvBevel";
  params.ClassStyle = CS_HREDRAW | CS_VREDRAW;
}

LRESULT TBevel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(Handle(), &ps)) {
      Paint(dc);
      EndPaint(Handle(), &ps);
    }
    return 0;
  }
  if (message == WM_NCHITTEST) return HTTRANSPARENT;  // a decoration: clicks go to the form
  return TWinControl::WndProc(message, wParam, lParam);
}

void TBevel::Paint(HDC dc) {
  TGdiSurface surface;
  surface.Attach(dc);
  // A lowered edge is a shadow line with a highlight line after it; raised swaps them.
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const TRect r = ClientRect();
  const auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    surface.SetPenColor(color);
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
  };
  const int w = r.Right;
  const int h = r.Bottom;
  switch (shape_) {
    case bsBox:
      line(first, 0, h - 1, 0, 0);
      line(first, 0, 0, w - 1, 0);
      line(second, w - 1, 0, w - 1, h - 1);
      line(second, w - 1, h - 1, -1, h - 1);
      break;
    case bsFrame:
      line(first, 0, 0, w - 1, 0);
      line(first, 0, 0, 0, h - 1);
      line(first, w - 2, 1, w - 2, h - 2);
      line(first, 1, h - 2, w - 1, h - 2);
      line(second, 1, 1, w - 2, 1);
      line(second, 1, 1, 1, h - 2);
      line(second, w - 1, 0, w - 1, h);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
  surface.Detach();
}
