#include "Icon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/common/OutputFile.h"

namespace {

// The low `bytes` bytes of value, little-endian.
void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

struct Rgba {
  double r, g, b, a;
};

// Coverage-sampled drawing at any size: a rounded tile, a glow, a lens ring.
Rgba Sample(double x, double y) {
  const double c = 0.5, half = 0.44, corner = 0.12;
  const double qx = std::max(std::fabs(x - c) - (half - corner), 0.0);
  const double qy = std::max(std::fabs(y - c) - (half - corner), 0.0);
  if (std::hypot(qx, qy) > corner) return {0, 0, 0, 0};
  const double r = std::hypot(x - c, y - 0.52);
  const double glow = std::exp(-r * r / 0.06);
  Rgba p{0.05 + 0.25 * glow, 0.20 + 0.55 * glow, 0.45 + 0.55 * glow, 1.0};
  if (r > 0.20 && r < 0.29)
    p = {0.92, 0.96, 1.0, 1.0};  // lens ring
  else if (r <= 0.20)
    p = {0.04 + 0.3 * glow, 0.10 + 0.4 * glow, 0.25 + 0.5 * glow, 1.0};   // glass
  if (std::hypot(x - 0.44, y - 0.45) < 0.06) p = {0.85, 0.95, 1.0, 1.0};  // highlight
  return p;
}

std::vector<std::uint8_t> IconImage(int size) {
  std::vector<std::uint8_t> image;
  const auto put = [&image](std::uint32_t value, int bytes) { Put(image, value, bytes); };
  put(40, 4);
  put(std::uint32_t(size), 4);
  put(std::uint32_t(size * 2), 4);  // colour rows and mask rows
  put(1, 2);
  put(32, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      Rgba sum{0, 0, 0, 0};
      for (int s = 0; s < 16; ++s) {
        const Rgba p = Sample((x + (s % 4 + 0.5) / 4) / size, (y + (s / 4 + 0.5) / 4) / size);
        sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
      }
      const double a = sum.a / 16;
      const auto channel = [a](double v) {
        return std::uint8_t(std::lround(a > 0 ? std::min(1.0, v / 16 / a) * 255 : 0));
      };
      image.push_back(channel(sum.b));
      image.push_back(channel(sum.g));
      image.push_back(channel(sum.r));
      image.push_back(std::uint8_t(std::lround(a * 255)));
    }
  }
  const int maskStride = ((size + 31) / 32) * 4;
  image.insert(image.end(), std::size_t(maskStride * size),
               0);  // alpha decides; the mask shows all
  return image;
}

}  // namespace

void WriteProgramIcon(const std::string& path) {
  const int sizes[] = {16, 32, 48};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes) images.push_back(IconImage(size));
  std::vector<std::uint8_t> out;
  const auto put = [&out](std::uint32_t value, int bytes) { Put(out, value, bytes); };
  put(0, 2);
  put(1, 2);
  put(3, 2);
  std::uint32_t offset = 6 + 16 * 3;
  for (std::size_t i = 0; i < 3; ++i) {
    out.push_back(std::uint8_t(sizes[i]));
    out.push_back(std::uint8_t(sizes[i]));
    out.push_back(0);
    out.push_back(0);
    put(1, 2);
    put(32, 2);
    put(std::uint32_t(images[i].size()), 4);
    put(offset, 4);
    offset += std::uint32_t(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  WriteOutputFile(path, out.data(), out.size());
}
