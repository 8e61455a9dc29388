// Colours of the toolkit. A TColor of 0 or more is an RGB value with red in the
// low byte, then green, then blue (the Windows COLORREF layout, so 0x0000FF is
// red). A negative TColor names a system colour by the index in its low byte.
#pragma once

#include <cstdint>
#include <optional>

using TColor = std::int32_t;

// The first system colour: the sign bit marks the value as an index.
constexpr TColor clSystemColor = INT32_MIN;

constexpr int SysColorWindow = 5;
constexpr int SysColorWindowText = 8;
constexpr int SysColorBtnFace = 15;
constexpr int SysColorBtnShadow = 16;
constexpr int SysColorGrayText = 17;
constexpr int SysColorBtnText = 18;
constexpr int SysColorBtnHighlight = 20;

constexpr TColor clWindow = clSystemColor | SysColorWindow;
constexpr TColor clWindowText = clSystemColor | SysColorWindowText;
constexpr TColor clBtnFace = clSystemColor | SysColorBtnFace;
constexpr TColor clBtnShadow = clSystemColor | SysColorBtnShadow;
constexpr TColor clGrayText = clSystemColor | SysColorGrayText;
constexpr TColor clBtnText = clSystemColor | SysColorBtnText;
constexpr TColor clBtnHighlight = clSystemColor | SysColorBtnHighlight;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGBColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
constexpr std::uint8_t RedOf(TColor c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(TColor c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(TColor c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

// The current RGB value of system colour `index` (GetSysColor on Windows, the
// Windows defaults elsewhere), unless it has been pinned with OverrideSystemColor.
TColor SystemColor(int index);

// Pins a system colour to an RGB value, or releases it (std::nullopt). Lets
// tests and previews paint on a known button face.
void OverrideSystemColor(int index, std::optional<TColor> rgb);

// The RGB value a colour stands for: itself when 0 or more, otherwise the
// system colour named by its low byte.
TColor ResolveColor(TColor color);
