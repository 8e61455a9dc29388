#include "Glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tools/common/OutputFile.h"

namespace {

// Shared by all three: pure-white background and a one-pixel margin; a disc 14
// pixels across (columns and rows 1 to 14), anti-aliased at its outline with pale
// half-blended pixels; lit from the upper left, darker to the lower right, with a
// slightly brighter rim of reflected light along its lower edge.
constexpr int kSize = 16;
constexpr double kCentre = 7.5;
constexpr double kRadius = 7.0;
constexpr int kSamples = 8;

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNearWhite{246, 248, 252};

struct Palette {
  Rgb light, middle, dark;  // upper left, middle, lower right
};

using Pixels = std::array<std::array<Rgb, kSize>, kSize>;  // [y][x]

// Halfway values round to even, so that the tables stay as they were first drawn.
int Mix(int a, int b, double t) {
  return static_cast<int>(std::nearbyint(a + (b - a) * t));
}
Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)};
}

// The share of a pixel's samples that fall inside the disc.
double DiscCoverage(int px, int py) {
  int hits = 0;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const double x = px + (sx + 0.5) / kSamples - kCentre - 0.5;
      const double y = py + (sy + 0.5) / kSamples - kCentre - 0.5;
      hits += x * x + y * y <= kRadius * kRadius;
    }
  }
  return static_cast<double>(hits) / (kSamples * kSamples);
}

Rgb Shade(int px, int py, const Palette& palette) {
  const double dx = px - kCentre, dy = py - kCentre;
  // Diagonal gradient: -1 at the upper left, +1 at the lower right.
  const double t = std::max(-1.0, std::min(1.0, (dx + dy) / (kRadius * 1.45)));
  Rgb colour =
      t < 0 ? Mix(palette.middle, palette.light, -t) : Mix(palette.middle, palette.dark, t);
  // A soft highlight up and left of the centre.
  const double spot = std::hypot(dx + 2.6, dy + 2.8);
  if (spot < 3.2) colour = Mix(colour, palette.light, 0.55 * (1 - spot / 3.2));
  // Reflected light along the lower edge.
  if (dy > 2.0 && std::hypot(dx, dy) > kRadius - 1.6) colour = Mix(colour, palette.middle, 0.55);
  return colour;
}

Pixels Disc(const Palette& palette) {
  Pixels pixels;
  for (auto& row : pixels) row.fill(kWhite);
  for (int py = 1; py < kSize - 1; ++py) {
    for (int px = 1; px < kSize - 1; ++px) {
      const double coverage = DiscCoverage(px, py);
      if (coverage < 0.15) continue;
      const Rgb colour = Shade(px, py, palette);
      pixels[py][px] = coverage >= 0.85 ? colour : Mix(colour, kWhite, 0.5);
    }
  }
  return pixels;
}

struct Point {
  double x, y;
};

double SegmentDistance(double x, double y, const Point& a, const Point& b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double t =
      std::max(0.0, std::min(1.0, ((x - a.x) * vx + (y - a.y) * vy) / (vx * vx + vy * vy)));
  return std::hypot(x - a.x - t * vx, y - a.y - t * vy);
}

// Pixels whose centre lies within `core` of the polyline become pure white (the
// face shows through them); those within `soft` are blended toward white but kept
// off pure white, so they are drawn.
void Stroke(Pixels& pixels, std::initializer_list<Point> line, double core, double soft) {
  const std::vector<Point> points(line);
  for (int py = 1; py < kSize - 1; ++py) {
    for (int px = 1; px < kSize - 1; ++px) {
      Rgb& pixel = pixels[py][px];
      if (pixel == kWhite) continue;
      double d = INFINITY;
      for (std::size_t i = 0; i + 1 < points.size(); ++i)
        d = std::min(d, SegmentDistance(px + 0.5, py + 0.5, points[i], points[i + 1]));
      if (d <= core) {
        pixel = kWhite;
      } else if (d <= soft) {
        pixel = Mix(pixel, Rgb{236, 244, 236}, 0.25 + 0.5 * (soft - d) / (soft - core));
      }
    }
  }
}

Pixels OkPixels() {
  Pixels pixels = Disc({{136, 214, 120}, {52, 162, 62}, {18, 100, 30}});
  // A short stroke down to the right, then a longer one rising to the upper right.
  Stroke(pixels, {{4.3, 8.2}, {6.9, 10.9}, {11.9, 5.2}}, 0.78, 1.45);
  return pixels;
}

Pixels CancelPixels() {
  Pixels pixels = Disc({{246, 128, 110}, {214, 52, 40}, {140, 22, 18}});
  // Two diagonals over the central 6 x 6 pixels; they meet in a 2 x 2 block.
  for (int i = 0; i < 6; ++i) {
    pixels[5 + i][5 + i] = kWhite;
    pixels[5 + i][10 - i] = kWhite;
  }
  // Their neighbours inside that square are tinted by how many of them touch them.
  const auto whiteInSquare = [&pixels](int x, int y) {
    return x > 4 && x < 11 && y > 4 && y < 11 && pixels[y][x] == kWhite;
  };
  for (int py = 4; py < 12; ++py) {
    for (int px = 4; px < 12; ++px) {
      if (pixels[py][px] == kWhite) continue;
      const int near = whiteInSquare(px + 1, py) + whiteInSquare(px - 1, py) +
                       whiteInSquare(px, py + 1) + whiteInSquare(px, py - 1);
      if (near > 0) pixels[py][px] = Mix(pixels[py][px], Rgb{250, 226, 222}, 0.3 + 0.15 * near);
    }
  }
  return pixels;
}

Pixels HelpPixels() {
  Pixels pixels = Disc({{124, 170, 246}, {44, 104, 214}, {18, 52, 150}});
  // The question mark: each row and its columns.
  const std::vector<std::pair<int, std::vector<int>>> mark = {
      {3, {6, 7, 8, 9}}, {4, {5, 6, 9, 10}}, {5, {9, 10}}, {6, {8, 9}},
      {7, {7, 8}},       {8, {7, 8}},        {9, {7, 8}},  {11, {7, 8}}};
  for (const auto& [y, columns] : mark) {
    for (const int x : columns) pixels[y][x] = kNearWhite;
  }
  // Soften the inner corners of the hook, where the strokes bend.
  const std::pair<int, int> corners[] = {{5, 3}, {10, 3}, {5, 5}, {10, 6}, {9, 7}, {6, 6}};
  for (const auto& [x, y] : corners) pixels[y][x] = Mix(pixels[y][x], kNearWhite, 0.35);
  return pixels;
}

Pixels GlyphPixels(DiscGlyph glyph) {
  switch (glyph) {
    case DiscGlyph::kOk:
      return OkPixels();
    case DiscGlyph::kCancel:
      return CancelPixels();
    case DiscGlyph::kHelp:
      break;
  }
  return HelpPixels();
}

}  // namespace

TBitmap DrawDiscGlyph(DiscGlyph glyph) {
  const Pixels pixels = GlyphPixels(glyph);
  TBitmap bitmap;
  bitmap.SetSize(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb& p = pixels[y][x];
      bitmap.SetPixel(x, y,
                      RGBColor(static_cast<std::uint8_t>(p.r), static_cast<std::uint8_t>(p.g),
                               static_cast<std::uint8_t>(p.b)));
    }
  }
  return bitmap;
}

void WriteGlyphTable(const std::string& path) {
  std::string text =
      "// Generated by tools/picturegen (picturegen --glyph-table): the built-in glyph\n"
      "// images, row by row from the top, two lines a row, in the TColor layout\n"
      "// (0x00BBGGRR). Change the drawing in tools/picturegen/Glyphs.cpp, not this file.\n"
      "#include \"button/BuiltinGlyphs.h\"\n"
      "\n"
      "// clang-format off\n";
  const std::pair<const char*, DiscGlyph> glyphs[] = {
      {"Ok", DiscGlyph::kOk}, {"Cancel", DiscGlyph::kCancel}, {"Help", DiscGlyph::kHelp}};
  for (const auto& [name, glyph] : glyphs) {
    text += std::string("const TGlyphImage k") + name + "Glyph = {{\n";
    const TBitmap bitmap = DrawDiscGlyph(glyph);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        char value[16];
        std::snprintf(value, sizeof value, "0x%06X,", static_cast<unsigned>(bitmap.Pixel(x, y)));
        text += (x % 8 == 0 ? "    " : " ") + std::string(value) + (x % 8 == 7 ? "\n" : "");
      }
    }
    text += "}};\n\n";
  }
  text += "// clang-format on\n";
  WriteOutputFile(path, text.data(), text.size());
}
