// TXMButton: the glyph button. A standard push button created owner-drawn, which
// paints a flat bevelled face, an optional 16 x 16 glyph at its left end (the
// Bitmap, or a built-in image chosen by BitmapKind; greyed when disabled) and its
// caption centred to the right of the glyph. Clicks, focus, tab order, Caption,
// Enabled, Font and Color come from TButton; the drawing and the glyph logic
// from TXMButtonCore. Win32 layer (hv::button).
#pragma once

#include "button/XMButtonCore.h"
#include "toolkit/win32/Button.h"

class TXMButton : public TButton, public TXMButtonCore {
 public:
  explicit TXMButton(TComponent* owner);
  ~TXMButton() override;

 protected:
  // The base's style with BS_OWNERDRAW, whichever push-button type it chose.
  void CreateParams(TCreateParams& params) override;
  // Shows the focus look; unlike the base it leaves the window's style alone,
  // which must stay owner-drawn.
  void ShowDefaultState(bool isDefault) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
  bool MeasureItem(MEASUREITEMSTRUCT& item) override;
  void FontChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void RepaintNow() override { Repaint(); }
  bool ControlEnabled() const override { return Enabled(); }
  TRect FaceRect() const override { return ClientRect(); }
  TColor FaceColor() const override { return Color(); }
  const std::string& CaptionText() const override { return Caption(); }
  const TFont& CaptionFont() const override { return Font(); }
};
