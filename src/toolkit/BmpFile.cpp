#include "toolkit/BmpFile.h"

#include <limits>

#include "base/LittleEndian.h"

namespace {
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger pictures are not something a window description holds; the cap keeps a
// corrupt header from asking for gigabytes.
constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;

std::int32_t S32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(LoadLe32(p));
}
}  // namespace

bool LoadBmp(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t pixelOffset = LoadLe32(data + 10);
  const std::uint8_t* info = data + kFileHeaderSize;
  const std::uint32_t infoSize = LoadLe32(info);
  if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) return false;
  const std::int32_t width = S32(info + 4);
  const std::int32_t rawHeight = S32(info + 8);
  const std::uint32_t planes = LoadLe16(info + 12);
  const std::uint32_t bitsPerPixel = LoadLe16(info + 14);
  const std::uint32_t compression = LoadLe32(info + 16);
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

  // The two headers; no resolution is stored: the picture is laid out in pixels.
  std::vector<std::uint8_t> out(pixelOffset, 0);
  out.reserve(fileSize);
  out[0] = 'B';
  out[1] = 'M';
  StoreLe32(&out[2], fileSize);
  StoreLe32(&out[10], pixelOffset);
  StoreLe32(&out[14], kInfoHeaderSize);
  StoreLe32(&out[18], width);
  StoreLe32(&out[22], height);
  StoreLe16(&out[26], 1);  // planes
  StoreLe16(&out[28], 24);
  StoreLe32(&out[34], stride * height);
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
