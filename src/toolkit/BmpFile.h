// BMP file bytes to and from TBitmap. The window description stores pictures as
// BMP files. Reading accepts uncompressed 24- and 32-bit images, bottom-up or
// top-down, and reports malformed or truncated data instead of trusting it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/Bitmap.h"

// Reads a BMP file image (starting with "BM"). On failure returns false and
// leaves `bitmap` unchanged.
bool LoadBmp(const std::uint8_t* data, std::size_t size, TBitmap& bitmap);

// A 24-bit bottom-up BMP file image of `bitmap`.
std::vector<std::uint8_t> SaveBmp(const TBitmap& bitmap);
