// TImage: shows a picture at its top-left corner; with AutoSize it takes the size of
// its picture. Win32 layer.
#pragma once

#include "toolkit/Bitmap.h"
#include "toolkit/win32/WinControl.h"

class TImage : public TWinControl {
 public:
  explicit TImage(TComponent* owner) : TWinControl(owner) {}

  const TBitmap& Picture() const { return picture_; }
  void SetPicture(const TBitmap& picture);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PictureChanged();
  void FitToPicture();

  TBitmap picture_;
  bool autoSize_ = false;
};
