#include "Glyphs.h"

#include <algorithm>
#include <cmath>

namespace {

struct Segment {
  double x0, y0, x1, y1;
};

double DistanceToSegment(double px, double py, const Segment& s) {
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const double t = std::clamp(((px - s.x0) * dx + (py - s.y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  const double ex = s.x0 + t * dx - px, ey = s.y0 + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

std::uint8_t Mix(double a, double b, double t) { return std::uint8_t(std::lround(a + (b - a) * t)); }

// A shaded disc on white with white strokes; coverage is sampled 4 x 4 per pixel.
Picture MakeDiscGlyph(Rgb light, Rgb dark, const Segment* strokes, int strokeCount) {
  Picture picture(16, 16, Rgb{255, 255, 255});
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      double disc = 0.0, stroke = 0.0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double px = x + (sx + 0.5) / 4.0, py = y + (sy + 0.5) / 4.0;
          const double r = std::hypot(px - 8.0, py - 8.0);
          if (r > 7.0) continue;
          disc += 1.0 / 16.0;
          for (int i = 0; i < strokeCount; ++i) {
            if (DistanceToSegment(px, py, strokes[i]) < 1.1) {
              stroke += 1.0 / 16.0;
              break;
            }
          }
        }
      }
      if (disc == 0.0) continue;
      const double shade = std::clamp(((x - 4.0) + (y - 4.0)) / 16.0, 0.0, 1.0);
      const double cr = light.r + (dark.r - light.r) * shade;
      const double cg = light.g + (dark.g - light.g) * shade;
      const double cb = light.b + (dark.b - light.b) * shade;
      const double paint = disc - stroke;  // the strokes show white
      picture.at(x, y) = Rgb{Mix(255, cr, paint), Mix(255, cg, paint), Mix(255, cb, paint)};
    }
  }
  return picture;
}

}  // namespace

Picture MakeCheckGlyph() {
  const Segment strokes[] = {{4.6, 8.2, 7.0, 10.8}, {7.0, 10.8, 11.6, 5.2}};
  return MakeDiscGlyph(Rgb{110, 205, 90}, Rgb{20, 110, 30}, strokes, 2);
}

Picture MakeCrossGlyph() {
  const Segment strokes[] = {{5.4, 5.4, 10.6, 10.6}, {10.6, 5.4, 5.4, 10.6}};
  return MakeDiscGlyph(Rgb{240, 100, 90}, Rgb{150, 20, 20}, strokes, 2);
}
