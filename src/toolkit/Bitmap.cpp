#include "toolkit/Bitmap.h"

#include <atomic>

namespace {
std::uint64_t NextStamp() {
  static std::atomic<std::uint64_t> counter{0};
  return ++counter;
}
}  // namespace

TBitmap::TBitmap(const TBitmap& other)
    : TPersistent(),
      width_(other.width_),
      height_(other.height_),
      pixels_(other.pixels_),
      transparent_(other.transparent_),
      stamp_(NextStamp()) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(other);
  return *this;
}

void TBitmap::Assign(const TBitmap& source) {
  if (this == &source) return;
  width_ = source.width_;
  height_ = source.height_;
  pixels_ = source.pixels_;
  transparent_ = source.transparent_;
  Touch();
}

void TBitmap::Clear() {
  SetSize(0, 0);
}

void TBitmap::SetSize(int width, int height) {
  width_ = width > 0 && height > 0 ? width : 0;
  height_ = width > 0 && height > 0 ? height : 0;
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
  Touch();
}

TColor TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return static_cast<TColor>(
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x)]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(color) & 0xFFFFFF;
  Touch();
}

void TBitmap::SetTransparent(bool transparent) {
  transparent_ = transparent;
}

void TBitmap::Touch() {
  stamp_ = NextStamp();
}
