#include "button/BuiltinGlyphs.h"

void LoadBuiltinGlyph(TBitmap& bitmap, const TGlyphImage& image) {
  if (bitmap.Width() != 16 || bitmap.Height() != 16) bitmap.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      bitmap.SetPixel(x, y, static_cast<TColor>(image[static_cast<std::size_t>(y * 16 + x)]));
  bitmap.SetTransparent(true);
}
