// A font description: name, character height, style, colour and character set.
// Portable; the Win32 layer turns it into an HFONT (FontHandle.h). Every change
// fires OnChange once, so a control can rebuild its font and repaint.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/Component.h"
#include "toolkit/Color.h"

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle values.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits_ = static_cast<std::uint8_t>(bits_ | Bit(s));
  }
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr TFontStyles With(TFontStyle s) const { return FromBits(bits_ | Bit(s)); }
  constexpr TFontStyles Without(TFontStyle s) const { return FromBits(bits_ & ~Bit(s)); }
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr TFontStyles FromBits(int bits) {
    TFontStyles result;
    result.bits_ = static_cast<std::uint8_t>(bits & 0x0F);
    return result;
  }
  friend constexpr bool operator==(TFontStyles a, TFontStyles b) { return a.bits_ == b.bits_; }
  friend constexpr bool operator!=(TFontStyles a, TFontStyles b) { return a.bits_ != b.bits_; }

 private:
  static constexpr int Bit(TFontStyle s) { return 1 << s; }
  std::uint8_t bits_ = 0;
};

using TFontCharset = std::uint8_t;
constexpr TFontCharset DEFAULT_FONT_CHARSET = 1;

class TFont : public TPersistent {
 public:
  TFont() = default;
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);

  // Copies every attribute (not the OnChange handler); fires OnChange once if
  // anything differed.
  void Assign(const TFont& source);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: character height in pixels; positive: cell height (the Windows rule).
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t height);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);

  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  std::int32_t height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_FONT_CHARSET;
};
