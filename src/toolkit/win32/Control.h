// TControl: a component placed on a parent window, with bounds, Enabled, Visible,
// Caption, Font and Color. Win32 layer (hv::controls).
//
// A new control derives from TWinControl (WinControl.h), which gives it a window,
// not from TControl directly. Each setter stores a changed value and then calls
// the matching *Changed() virtual; a control overrides those to react (the
// windowed base passes the change to its window). Font and Color follow the
// parent's while ParentFont / ParentColor are set (the default); setting the
// control's own Font or Color clears the flag.
#pragma once

#include <string>

#include "base/Component.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"
#include "toolkit/Rect.h"

class TWinControl;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  // The drawing area in the control's own coordinates.
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_.Assign(font); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  // Fires OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

 protected:
  // Bounds changed by a setter (not by the window system moving the window).
  virtual void BoundsChanged() {}
  virtual void EnabledChanged() {}
  virtual void VisibleChanged() {}
  virtual void CaptionChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}

  // Records bounds that the window system has already applied to the window.
  void StoreBounds(int left, int top, int width, int height);
  // Takes over the parent's font or colour while ParentFont / ParentColor is set.
  void FollowParentFont();
  void FollowParentColor();

 private:
  friend class TWinControl;
  void FontObjectChanged(TObject* sender);

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  std::string caption_;
  TFont font_;
  bool parentFont_ = true;
  bool followingParent_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = true;
};
