#include "Bmp.h"

#include "OutputFile.h"

namespace {

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

void WriteBmp24(const Picture& picture, const std::string& path) {
  const std::uint32_t stride = (std::uint32_t(picture.width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * std::uint32_t(picture.height);
  std::vector<std::uint8_t> out;
  out.reserve(54 + imageSize);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutLE(out, 54 + imageSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, 54, 4);
  // BITMAPINFOHEADER: no resolution and no time stamp, so the bytes are reproducible.
  PutLE(out, 40, 4);
  PutLE(out, std::uint32_t(picture.width), 4);
  PutLE(out, std::uint32_t(picture.height), 4);
  PutLE(out, 1, 2);
  PutLE(out, 24, 2);
  PutLE(out, 0, 4);
  PutLE(out, imageSize, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& p = picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    while (out.size() - rowStart < stride) out.push_back(0);
  }
  WriteOutputFile(path, out.data(), out.size());
}
