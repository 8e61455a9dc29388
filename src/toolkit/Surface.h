// The drawing surface that painting code draws on. Two implementations: an
// in-memory pixel surface (MemorySurface.h, portable, for tests and previews)
// and the Win32 one over a device context (GdiSurface.h). A TColor argument may
// name a system colour; the surface resolves it.
#pragma once

#include <string>

#include "toolkit/Bitmap.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/Rect.h"

// Text layout flags; the values are those of the Win32 DrawText DT_* flags.
namespace TextFlags {
constexpr unsigned Center = 0x01;
constexpr unsigned VCenter = 0x04;
constexpr unsigned SingleLine = 0x20;
}  // namespace TextFlags

class TSurface {
 public:
  virtual ~TSurface() = default;

  virtual void SetBrushColor(TColor color) = 0;
  // The brush colour as resolved to RGB.
  virtual TColor BrushColor() const = 0;
  // Fills `rect` with the brush.
  virtual void FillRect(const TRect& rect) = 0;

  virtual void SetPenColor(TColor color) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A horizontal or vertical one-pixel line from the pen position toward (x, y),
  // covering the start point and excluding the end point, in either direction;
  // the pen then rests at (x, y).
  virtual void LineTo(int x, int y) = 0;

  // Pixels outside the surface are not drawn and read as -1.
  virtual void SetPixel(int x, int y, TColor color) = 0;
  virtual TColor GetPixel(int x, int y) const = 0;

  // Selects the font for TextInRect and sets the text colour to the font's colour.
  virtual void SelectFont(const TFont& font) = 0;
  virtual void SetTextColor(TColor color) = 0;
  // Draws `text` laid out in `rect` by TextFlags, on an opaque background in the
  // brush colour. An ampersand underlines the character after it.
  virtual void TextInRect(const TRect& rect, const std::string& text, unsigned flags) = 0;

  // Draws `bitmap` with its top-left corner at (x, y); a transparent bitmap
  // leaves the pixels of its key colour (the bottom-left pixel) undrawn.
  virtual void DrawBitmap(int x, int y, const TBitmap& bitmap) = 0;
};
