// A glyph button without a window: TXMButtonCore drawing on a memory surface,
// with the control's Enabled, Color, Caption and Font as plain fields.
#pragma once

#include <memory>
#include <string>

#include "button/XMButtonCore.h"
#include "toolkit/MemorySurface.h"

class TPaintedButton : public TXMButtonCore {
 public:
  TPaintedButton(int width, int height)
      : TXMButtonCore(std::make_unique<TMemorySurface>(width, height, clBlack)),
        width_(width),
        height_(height) {}

  TMemorySurface& Surface() { return static_cast<TMemorySurface&>(FaceCanvas()); }
  void Draw(unsigned itemState) { DrawButton(itemState); }
  void FocusHook(bool showsFocus) { ShowFocusState(showsFocus); }

  int repaints = 0;
  bool enabled = true;
  TColor color = clBtnFace;
  std::string caption;
  TFont font;

 protected:
  void RepaintNow() override { ++repaints; }
  bool ControlEnabled() const override { return enabled; }
  TRect FaceRect() const override { return {0, 0, width_, height_}; }
  TColor FaceColor() const override { return color; }
  const std::string& CaptionText() const override { return caption; }
  const TFont& CaptionFont() const override { return font; }

 private:
  int width_;
  int height_;
};
