// Writes 24-bit uncompressed BMP files, bottom-up rows padded to four bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  std::uint8_t r, g, b;
};

struct Picture {
  int width;
  int height;
  std::vector<Rgb> pixels;  // row by row from the top

  Picture(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
  Rgb& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Throws EOutputError (OutputFile.h) when the file cannot be written.
void WriteBmp24(const Picture& picture, const std::string& path);
