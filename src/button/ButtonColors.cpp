#include "button/ButtonColors.h"

#include <algorithm>

TColor ColorAdd(TColor a, TColor b) {
  return RGBColor(static_cast<std::uint8_t>(std::min(RedOf(a) + RedOf(b), 255)),
                  static_cast<std::uint8_t>(std::min(GreenOf(a) + GreenOf(b), 255)),
                  static_cast<std::uint8_t>(std::min(BlueOf(a) + BlueOf(b), 255)));
}

TColor ColorSub(TColor a, TColor b) {
  return RGBColor(static_cast<std::uint8_t>(std::max(RedOf(a) - RedOf(b), 0)),
                  static_cast<std::uint8_t>(std::max(GreenOf(a) - GreenOf(b), 0)),
                  static_cast<std::uint8_t>(std::max(BlueOf(a) - BlueOf(b), 0)));
}
