#include "Splash.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 256;
constexpr int kTile = 18;
constexpr int kPitch = 22;
constexpr int kColumns = 5;
constexpr int kRows = 11;
constexpr int kLeft = (kWidth - (kColumns * kPitch - (kPitch - kTile))) / 2;
constexpr int kTop = (kHeight - (kRows * kPitch - (kPitch - kTile))) / 2;

// A small fixed generator, so that every build draws the same picture.
std::uint32_t NextRandom(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

double Clamp01(double v) {
  return std::min(1.0, std::max(0.0, v));
}

std::uint8_t Channel(double v) {
  return std::uint8_t(std::lround(Clamp01(v) * 255.0));
}

}  // namespace

TBitmap MakeSplash() {
  // Each tile glows with its own strength; a diagonal band of light crosses them.
  double strength[kRows][kColumns];
  std::uint32_t seed = 0x48564C52u;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const double random = double(NextRandom(seed) % 1000) / 1000.0;
      const double band = std::exp(-std::pow((row * 0.55 - col * 0.9 - 1.6) / 1.7, 2.0));
      strength[row][col] = Clamp01(0.10 + 0.45 * random + 0.60 * band);
    }
  }

  TBitmap picture;
  picture.SetSize(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      // Background: deep night blue, a little lighter towards the top.
      const double sky = 1.0 - double(y) / kHeight;
      double r = 0.02 + 0.02 * sky, g = 0.04 + 0.05 * sky, b = 0.12 + 0.10 * sky;
      double halo = 0.0;
      for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
          const int tx = kLeft + col * kPitch, ty = kTop + row * kPitch;
          const double dx = std::max({double(tx - x), 0.0, double(x - (tx + kTile - 1))});
          const double dy = std::max({double(ty - y), 0.0, double(y - (ty + kTile - 1))});
          const double s = strength[row][col];
          const double distance = std::sqrt(dx * dx + dy * dy);
          if (distance == 0.0) {
            // Inside the tile: a bright core that fades to a rim, and a lit upper edge.
            const double cx = x - (tx + (kTile - 1) / 2.0), cy = y - (ty + (kTile - 1) / 2.0);
            const double radial = std::sqrt(cx * cx + cy * cy) / (kTile / 2.0 * 1.41421356);
            const double core = s * (0.45 + 0.55 * (1.0 - radial));
            const double edge = (x == tx || y == ty)                           ? 0.18
                                : (x == tx + kTile - 1 || y == ty + kTile - 1) ? -0.10
                                                                               : 0.0;
            r = 0.05 + 0.45 * core * core + edge * 0.6;
            g = 0.18 + 0.62 * core + edge * 0.8;
            b = 0.40 + 0.62 * core + edge;
            halo = -1.0;
            break;
          }
          halo += s * std::exp(-distance / 2.6);
        }
        if (halo < 0.0) break;
      }
      if (halo > 0.0) {
        r += 0.10 * halo;
        g += 0.35 * halo;
        b += 0.70 * halo;
      }
      picture.SetPixel(x, y, RGBColor(Channel(r), Channel(g), Channel(b)));
    }
  }
  return picture;
}
