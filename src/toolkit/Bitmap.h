// An image of 32-bit pixels in the TColor RGB layout (0x00BBGGRR), held in memory
// and portable. A transparent bitmap is drawn without the pixels that have the
// colour of its bottom-left pixel. The GDI surface draws it (GdiSurface.h); BMP
// bytes convert both ways with BmpFile.h.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Component.h"
#include "toolkit/Color.h"

class TBitmap : public TPersistent {
 public:
  TBitmap() = default;
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);

  // Copies the image and the Transparent flag.
  void Assign(const TBitmap& source);
  // Makes the bitmap 0 x 0.
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // A new size clears every pixel to black; negative sizes count as 0.
  void SetSize(int width, int height);

  // Reads outside the image give -1 (no colour); writes outside are ignored.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // Pixels row by row from the top.
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The key colour of a transparent bitmap: its bottom-left pixel.
  TColor TransparentColor() const { return Pixel(0, height_ - 1); }

  // Changes with every change of the image, and is never shared by two images
  // alive at the same time, so drawing code can cache a converted copy.
  std::uint64_t Stamp() const { return stamp_; }

 private:
  void Touch();

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  bool transparent_ = false;
  std::uint64_t stamp_ = 0;
};
