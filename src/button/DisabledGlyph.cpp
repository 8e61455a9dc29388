#include "button/DisabledGlyph.h"

namespace {
std::uint8_t Blend(std::uint8_t glyph, std::uint8_t face) {
  return static_cast<std::uint8_t>((glyph + 3 * face) / 4);
}
}  // namespace

void DeriveDisabledBitmap(const TBitmap& glyph, TBitmap& disabled) {
  disabled.Assign(glyph);
  disabled.SetTransparent(true);
  BlendTowardFace(glyph, disabled);
}

void BlendTowardFace(const TBitmap& source, TBitmap& target) {
  const TColor face = SystemColor(SysColorBtnFace);
  const TColor key = source.Pixel(0, 0);
  target.SetPixel(0, 0, key);
  for (int y = 0; y < target.Height(); ++y)
    for (int x = 0; x < target.Width(); ++x) {
      const TColor c = source.Pixel(x, y);
      if (c == key) continue;
      target.SetPixel(x, y,
                      RGBColor(Blend(RedOf(c), RedOf(face)), Blend(GreenOf(c), GreenOf(face)),
                               Blend(BlueOf(c), BlueOf(face))));
    }
}
