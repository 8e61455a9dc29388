// Rectangles and points in device pixels. Right and Bottom are exclusive, as in
// the window system, so a rectangle's width is Right - Left.
#pragma once

#include <cstdint>

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;

  friend bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
  friend bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= Left && x < Right && y >= Top && y < Bottom;
  }

  friend bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  }
  friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};
