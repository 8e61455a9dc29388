#include "button/FlatFace.h"

#include "button/ButtonColors.h"

namespace {
// Lines are pen moves whose end point is left out, so an inclusive span ends one
// step further on.
void Column(TSurface& surface, int x, int firstRow, int lastRow) {
  surface.MoveTo(x, firstRow);
  surface.LineTo(x, lastRow + 1);
}

void Row(TSurface& surface, int y, int firstColumn, int lastColumn) {
  surface.MoveTo(firstColumn, y);
  surface.LineTo(lastColumn + 1, y);
}
}  // namespace

void PaintFlatFace(const TRect& rect, TSurface& surface, TColor color, bool pressed,
                   bool focusLook) {
  const int L = rect.Left;
  const int T = rect.Top;
  const int R = rect.Right;
  const int B = rect.Bottom;
  const TColor base = ResolveColor(color);
  const bool highlight = pressed || focusLook;

  const TColor fill = highlight ? ColorAdd(base, 0x0C0C0C) : base;
  surface.SetBrushColor(fill);
  surface.FillRect(rect);

  surface.SetPenColor(pressed ? ColorAdd(base, 0x141414) : ColorSub(base, 0x282828));
  Column(surface, R - 2, T + 2, B - 3);
  Row(surface, B - 2, L + 1, R - 2);

  surface.SetPenColor(pressed ? ColorSub(base, 0x181818) : ColorAdd(base, 0x181818));
  Column(surface, L + 1, T + 2, B - 3);
  Row(surface, T + 1, L + 1, R - 2);

  surface.SetPenColor(ColorSub(base, 0x303030));
  Column(surface, L, T + 2, B - 2);
  Row(surface, T, L + 2, R - 3);

  surface.SetPenColor(pressed ? ColorSub(base, 0x404040) : ColorSub(base, 0x808080));
  Column(surface, R - 1, T + 2, B - 2);
  Row(surface, B - 1, L + 1, R - 2);

  surface.SetPixel(L, T, fill);
  surface.SetPixel(R - 1, T, fill);
  const TColor corner = ColorSub(base, 0x242424);
  surface.SetPixel(L, T + 1, corner);
  surface.SetPixel(L + 1, T + 1, corner);
  surface.SetPixel(L + 1, T, corner);
  surface.SetPixel(R - 1, T + 1, corner);
  surface.SetPixel(R - 2, T + 1, corner);
  surface.SetPixel(R - 2, T, corner);
  surface.SetPixel(L, B - 1, corner);
  surface.SetPixel(R - 1, B - 1, corner);
}
