// The drawing surface over a Win32 device context. Attach it to a DC for the
// length of one paint and detach it afterwards; detaching restores the DC's
// original pen, brush and font and frees the ones the surface made.
#pragma once

#include <cstdint>
#include <vector>

#include "system/winapi.h"
#include "toolkit/Surface.h"
#include "toolkit/win32/FontHandle.h"
#include "toolkit/win32/GdiHandles.h"

class TGdiSurface : public TSurface {
 public:
  TGdiSurface() = default;
  ~TGdiSurface() override;
  TGdiSurface(const TGdiSurface&) = delete;
  TGdiSurface& operator=(const TGdiSurface&) = delete;

  void Attach(HDC dc);
  void Detach();
  HDC DC() const { return dc_; }

  void SetBrushColor(TColor color) override;
  TColor BrushColor() const override { return brushColor_; }
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
  // A device-dependent copy of a TBitmap's image and, once it is drawn transparently,
  // the monochrome mask of its key colour, kept while its stamp holds so that an
  // ordinary repaint does no per-pixel work.
  struct TCachedImage {
    std::uint64_t Stamp = 0;
    TBitmapObject Image;
    TBitmapObject KeyMask;
  };
  TCachedImage* CachedImageOf(const TBitmap& bitmap);
  TBitmapObject MakeImage(const TBitmap& bitmap) const;

  HDC dc_ = nullptr;
  TColor brushColor_ = clWhite;
  TColor penColor_ = clBlack;
  TColor textColor_ = clBlack;
  TBrushObject brush_;
  TPenObject pen_;
  TFontHandle font_;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  std::vector<TCachedImage> images_;
};
