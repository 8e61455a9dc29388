#include "toolkit/MemorySurface.h"

#include <algorithm>

TMemorySurface::TMemorySurface(int width, int height, TColor fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              static_cast<std::uint32_t>(ResolveColor(fill))) {}

void TMemorySurface::SetBrushColor(TColor color) {
  brush_ = ResolveColor(color);
}

void TMemorySurface::FillRect(const TRect& rect) {
  const int left = std::max(rect.Left, 0);
  const int top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, width_);
  const int bottom = std::min(rect.Bottom, height_);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) SetPixel(x, y, brush_);
}

void TMemorySurface::SetPenColor(TColor color) {
  pen_ = ResolveColor(color);
}

void TMemorySurface::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void TMemorySurface::LineTo(int x, int y) {
  const TPoint from = penPos_;
  penPos_ = {x, y};
  if (from.Y == y) {
    const int step = x >= from.X ? 1 : -1;
    for (int px = from.X; px != x; px += step) SetPixel(px, y, pen_);
  } else if (from.X == x) {
    const int step = y >= from.Y ? 1 : -1;
    for (int py = from.Y; py != y; py += step) SetPixel(x, py, pen_);
  }
}

void TMemorySurface::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = static_cast<std::uint32_t>(ResolveColor(color)) & 0xFFFFFF;
}

TColor TMemorySurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return static_cast<TColor>(
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
              static_cast<std::size_t>(x)]);
}

void TMemorySurface::SelectFont(const TFont& font) {
  font_.Assign(font);
  textColor_ = ResolveColor(font.Color());
}

void TMemorySurface::SetTextColor(TColor color) {
  textColor_ = ResolveColor(color);
}

void TMemorySurface::TextInRect(const TRect& rect, const std::string& text, unsigned flags) {
  TRecordedText call;
  call.Rect = rect;
  call.Text = text;
  call.Flags = flags;
  call.TextColor = textColor_;
  call.BackColor = brush_;
  call.Font.Assign(font_);
  texts_.push_back(std::move(call));
}

void TMemorySurface::DrawBitmap(int x, int y, const TBitmap& bitmap) {
  const bool transparent = bitmap.Transparent();
  const TColor key = bitmap.TransparentColor();
  for (int by = 0; by < bitmap.Height(); ++by)
    for (int bx = 0; bx < bitmap.Width(); ++bx) {
      const TColor c = bitmap.Pixel(bx, by);
      if (!transparent || c != key) SetPixel(x + bx, y + by, c);
    }
}
