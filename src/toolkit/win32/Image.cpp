#include "toolkit/win32/Image.h"

#include "toolkit/win32/GdiSurface.h"

void TImage::SetPicture(const TBitmap& picture) {
  picture_.Assign(picture);
  PictureChanged();
}

void TImage::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  FitToPicture();
}

void TImage::PictureChanged() {
  FitToPicture();
  Invalidate();
}

void TImage::FitToPicture() {
  if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.OwnClassName = "HvImage";
}

LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(Handle(), &ps)) {
      if (!picture_.Empty()) {
        TGdiSurface surface;
        surface.Attach(dc);
        surface.DrawBitmap(0, 0, picture_);
        surface.Detach();
      }
      EndPaint(Handle(), &ps);
    }
    return 0;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
