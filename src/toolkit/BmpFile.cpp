#include "toolkit/BmpFile.h"

#include <limits>

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger pictures are not something a window description holds; the cap keeps a
// corrupt header from asking for gigabytes.
constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;

std::uint32_t U16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t S32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(U32(p));
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
}  // namespace

bool LoadBmp(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t pixelOffset = U32(data + 10);
  const std::uint8_t* info = data + kFileHeaderSize;
  const std::uint32_t infoSize = U32(info);
  if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) return false;
  const std::int32_t width = S32(info + 4);
  const std::int32_t rawHeight = S32(info + 8);
  const std::uint32_t planes = U16(info + 12);
  const std::uint32_t bitsPerPixel = U16(info + 14);
  const std::uint32_t compression = U32(info + 16);
  if (planes != 1 || (bitsPerPixel != 24 && bitsPerPixel != 32) || compression != 0) return false;
  if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min())
    return false;
  const bool topDown = rawHeight < 0;
  const std::int32_t height = topDown ? -rawHeight : rawHeight;
  if (static_cast<std::int64_t>(width) * height > kMaxPixels) return false;

  const std::size_t bytesPerPixel = bitsPerPixel / 8;
  const std::size_t stride =
      (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
  const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
  if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset > size ||
      size - pixelOffset < pixelBytes)
    return false;

  TBitmap image;
  image.SetSize(width, height);
  for (std::int32_t row = 0; row < height; ++row) {
    const std::int32_t y = topDown ? row : height - 1 - row;
    const std::uint8_t* p = data + pixelOffset + stride * static_cast<std::size_t>(row);
    for (std::int32_t x = 0; x < width; ++x, p += bytesPerPixel)
      image.SetPixel(x, y, RGBColor(p[2], p[1], p[0]));
  }
  image.SetTransparent(bitmap.Transparent());
  bitmap.Assign(image);
  return true;
}

std::vector<std::uint8_t> SaveBmp(const TBitmap& bitmap) {
  const std::uint32_t width = static_cast<std::uint32_t>(bitmap.Width());
  const std::uint32_t height = static_cast<std::uint32_t>(bitmap.Height());
  const std::uint32_t stride = (width * 3 + 3) & ~3u;
  const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;
  const std::uint32_t fileSize = pixelOffset + stride * height;

  std::vector<std::uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, fileSize);
  PutU32(out, 0);
  PutU32(out, pixelOffset);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, width);
  PutU32(out, height);
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, 0);
  PutU32(out, stride * height);
  PutU32(out, 0);  // no resolution is stored: the picture is laid out in pixels
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  for (std::uint32_t row = 0; row < height; ++row) {
    const int y = static_cast<int>(height - 1 - row);
    for (std::uint32_t x = 0; x < width; ++x) {
      const TColor c = bitmap.Pixel(static_cast<int>(x), y);
      out.push_back(BlueOf(c));
      out.push_back(GreenOf(c));
      out.push_back(RedOf(c));
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}
