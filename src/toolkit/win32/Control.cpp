#include "toolkit/win32/Control.h"

#include "toolkit/win32/WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = TNotifyEvent(this, &TControl::FontObjectChanged);
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (!parent_) return;
  FollowParentFont();
  FollowParentColor();
  parent_->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  StoreBounds(left, top, width, height);
  BoundsChanged();
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  CaptionChanged();
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  FollowParentFont();
}

void TControl::FollowParentFont() {
  if (!parentFont_ || !parent_) return;
  followingParent_ = true;
  font_.Assign(parent_->Font());
  followingParent_ = false;
}

void TControl::FontObjectChanged(TObject*) {
  // A font of the control's own, set by a setter of the font or by SetFont,
  // stops following the parent.
  if (!followingParent_) parentFont_ = false;
  FontChanged();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  FollowParentColor();
}

void TControl::FollowParentColor() {
  if (!parentColor_ || !parent_ || parent_->Color() == color_) return;
  color_ = parent_->Color();
  ColorChanged();
}

void TControl::Click() {
  OnClick(this);
}
