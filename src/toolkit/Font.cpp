#include "toolkit/Font.h"

TFont::TFont(const TFont& other)
    : TPersistent(),
      name_(other.name_),
      height_(other.height_),
      style_(other.style_),
      color_(other.color_),
      charset_(other.charset_) {}

TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
         color_ == other.color_ && charset_ == other.charset_;
}

void TFont::Assign(const TFont& source) {
  if (this == &source || SameAs(source)) return;
  name_ = source.name_;
  height_ = source.height_;
  style_ = source.style_;
  color_ = source.color_;
  charset_ = source.charset_;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (name_ == name) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(std::int32_t height) {
  if (height_ == height) return;
  height_ = height;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style_ == style) return;
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset_ == charset) return;
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  OnChange(this);
}
