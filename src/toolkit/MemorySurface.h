// A drawing surface over a block of 32-bit pixels in memory (0x00BBGGRR), with
// the window system's rules for clipping, lines and transparent bitmaps, so that
// painting code can be checked pixel for pixel without a display. Text is not
// rasterised: each TextInRect call is recorded with everything that shapes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Surface.h"

struct TRecordedText {
  TRect Rect;
  std::string Text;
  unsigned Flags = 0;
  TColor TextColor = 0;
  TColor BackColor = 0;  // the opaque background: the brush colour at the call
  TFont Font;
};

class TMemorySurface : public TSurface {
 public:
  TMemorySurface(int width, int height, TColor fill = clBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<TRecordedText>& Texts() const { return texts_; }
  TColor TextColor() const { return textColor_; }

  void SetBrushColor(TColor color) override;
  TColor BrushColor() const override { return brush_; }
  void FillRect(const TRect& rect) override;
  void SetPenColor(TColor color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor GetPixel(int x, int y) const override;
  void SelectFont(const TFont& font) override;
  void SetTextColor(TColor color) override;
  void TextInRect(const TRect& rect, const std::string& text, unsigned flags) override;
  void DrawBitmap(int x, int y, const TBitmap& bitmap) override;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
  TColor brush_ = clWhite;
  TColor pen_ = clBlack;
  TColor textColor_ = clBlack;
  TPoint penPos_;
  TFont font_;
  std::vector<TRecordedText> texts_;
};
