#include "toolkit/win32/GdiSurface.h"

#include <algorithm>

static_assert(TextFlags::Center == DT_CENTER && TextFlags::VCenter == DT_VCENTER &&
                  TextFlags::SingleLine == DT_SINGLELINE,
              "text flags pass straight to DrawTextA");

namespace {
// Two glyph images per button (enabled and greyed) and a few buttons per window.
constexpr std::size_t kCachedImages = 8;

RECT ToRECT(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}
COLORREF ToCOLORREF(TColor color) {
  return static_cast<COLORREF>(ResolveColor(color));
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Paints into a monochrome bitmap (selected into maskDC) a 1 wherever the image has
// the key colour and a 0 elsewhere: a colour-to-monochrome copy gives 1 exactly where
// the source pixel equals the source DC's background colour.
void PaintKeyMask(HDC maskDC, HDC imageDC, int w, int h, COLORREF key) {
  const COLORREF background = SetBkColor(imageDC, key);
  BitBlt(maskDC, 0, 0, w, h, imageDC, 0, 0, SRCCOPY);
  SetBkColor(imageDC, background);
}

// Draws the image without the pixels its mask marks, as TransparentBlt does, over
// GDI alone (TransparentBlt lives in msimg32.dll, which is not among the DLLs Windows
// always takes from the system folder). XOR the image in, clear every pixel the mask
// does not keep, XOR the image in again: marked pixels end as they were, every other
// pixel as the image.
void DrawWithoutKey(HDC dc, int x, int y, int w, int h, HDC imageDC, HDC maskDC) {
  // A monochrome source paints its 1 bits in the destination's background colour and
  // its 0 bits in its text colour: the AND keeps what the mask marks and clears the rest.
  const COLORREF background = SetBkColor(dc, kWhite);
  const COLORREF text = ::SetTextColor(dc, kBlack);
  BitBlt(dc, x, y, w, h, imageDC, 0, 0, SRCINVERT);
  BitBlt(dc, x, y, w, h, maskDC, 0, 0, SRCAND);
  BitBlt(dc, x, y, w, h, imageDC, 0, 0, SRCINVERT);
  SetBkColor(dc, background);
  ::SetTextColor(dc, text);
}
}  // namespace

TGdiSurface::~TGdiSurface() {
  Detach();
}

void TGdiSurface::Attach(HDC dc) {
  Detach();
  dc_ = dc;
}

void TGdiSurface::Detach() {
  if (!dc_) return;
  if (originalPen_) SelectObject(dc_, originalPen_);
  if (originalFont_) SelectObject(dc_, originalFont_);
  originalPen_ = nullptr;
  originalFont_ = nullptr;
  dc_ = nullptr;
}

void TGdiSurface::SetBrushColor(TColor color) {
  const TColor rgb = ResolveColor(color);
  if (brush_ && rgb == brushColor_) return;
  brushColor_ = rgb;
  brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(rgb)));
}

void TGdiSurface::FillRect(const TRect& rect) {
  if (!dc_) return;
  if (!brush_) SetBrushColor(brushColor_);
  const RECT r = ToRECT(rect);
  if (brush_) ::FillRect(dc_, &r, brush_.Get());
}

void TGdiSurface::SetPenColor(TColor color) {
  const TColor rgb = ResolveColor(color);
  if (pen_ && rgb == penColor_) return;
  TPenObject pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(rgb)));
  if (!pen) return;
  // The new pen goes in before the old one is deleted: a selected pen must not be deleted.
  if (dc_) {
    HGDIOBJ previous = SelectObject(dc_, pen.Get());
    if (!originalPen_) originalPen_ = previous;
  }
  penColor_ = rgb;
  pen_ = std::move(pen);
}

void TGdiSurface::MoveTo(int x, int y) {
  if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void TGdiSurface::LineTo(int x, int y) {
  if (!dc_) return;
  if (!pen_) SetPenColor(penColor_);
  if (pen_ && !originalPen_) originalPen_ = SelectObject(dc_, pen_.Get());
  ::LineTo(dc_, x, y);
}

void TGdiSurface::SetPixel(int x, int y, TColor color) {
  if (dc_) ::SetPixelV(dc_, x, y, ToCOLORREF(color));
}

TColor TGdiSurface::GetPixel(int x, int y) const {
  if (!dc_) return -1;
  const COLORREF c = ::GetPixel(dc_, x, y);
  return c == CLR_INVALID ? -1 : static_cast<TColor>(c);
}

void TGdiSurface::SelectFont(const TFont& font) {
  SetTextColor(font.Color());
  // The font made for an earlier call may be replaced below: a selected font
  // must not be deleted.
  if (dc_ && originalFont_) {
    SelectObject(dc_, originalFont_);
    originalFont_ = nullptr;
  }
  HFONT handle = font_.For(font);
  if (!dc_ || !handle) return;
  HGDIOBJ previous = SelectObject(dc_, handle);
  if (!originalFont_) originalFont_ = previous;
}

void TGdiSurface::SetTextColor(TColor color) {
  textColor_ = ResolveColor(color);
}

void TGdiSurface::TextInRect(const TRect& rect, const std::string& text, unsigned flags) {
  if (!dc_) return;
  RECT r = ToRECT(rect);
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, static_cast<COLORREF>(brushColor_));
  ::SetTextColor(dc_, static_cast<COLORREF>(textColor_));
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

void TGdiSurface::DrawBitmap(int x, int y, const TBitmap& bitmap) {
  if (!dc_ || bitmap.Empty()) return;
  TCachedImage* cached = CachedImageOf(bitmap);
  TMemoryDC image(dc_);
  if (!cached || !image) return;
  TSelection imageSelected(image.Get(), cached->Image.Get());
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  if (!bitmap.Transparent()) {
    BitBlt(dc_, x, y, w, h, image.Get(), 0, 0, SRCCOPY);
    return;
  }
  TMemoryDC mask(dc_);
  if (!mask) return;
  const bool newMask = !cached->KeyMask;
  if (newMask) cached->KeyMask.Reset(CreateBitmap(w, h, 1, 1, nullptr));
  if (!cached->KeyMask) return;
  TSelection maskSelected(mask.Get(), cached->KeyMask.Get());
  if (newMask)
    PaintKeyMask(mask.Get(), image.Get(), w, h, static_cast<COLORREF>(bitmap.TransparentColor()));
  DrawWithoutKey(dc_, x, y, w, h, image.Get(), mask.Get());
}

TGdiSurface::TCachedImage* TGdiSurface::CachedImageOf(const TBitmap& bitmap) {
  const auto cached = std::find_if(images_.begin(), images_.end(), [&](const TCachedImage& c) {
    return c.Stamp == bitmap.Stamp();
  });
  if (cached != images_.end()) return &*cached;
  TBitmapObject image = MakeImage(bitmap);
  if (!image) return nullptr;
  if (images_.size() >= kCachedImages) images_.erase(images_.begin());
  images_.push_back({bitmap.Stamp(), std::move(image), TBitmapObject()});
  return &images_.back();
}

TBitmapObject TGdiSurface::MakeImage(const TBitmap& bitmap) const {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bitmap.Width();
  info.bmiHeader.biHeight = -bitmap.Height();  // top-down, as TBitmap stores its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TBitmapObject image(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image || !bits) return TBitmapObject();
  // A DIB pixel holds blue in its low byte, a TColor red.
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::uint32_t c : bitmap.Pixels())
    *out++ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  GdiFlush();
  return image;
}
