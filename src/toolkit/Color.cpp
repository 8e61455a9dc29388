#include "toolkit/Color.h"

#include <array>

// Supplied per platform: GetSysColor on Windows, fixed defaults elsewhere.
TColor PlatformSystemColor(int index);

namespace {
constexpr int kSystemColorCount = 31;

std::array<std::optional<TColor>, kSystemColorCount>& Overrides() {
  static std::array<std::optional<TColor>, kSystemColorCount> overrides;
  return overrides;
}
}  // namespace

TColor SystemColor(int index) {
  if (index < 0 || index >= kSystemColorCount) return clBlack;
  if (const auto& pinned = Overrides()[static_cast<std::size_t>(index)]) return *pinned;
  return PlatformSystemColor(index) & 0xFFFFFF;
}

void OverrideSystemColor(int index, std::optional<TColor> rgb) {
  if (index < 0 || index >= kSystemColorCount) return;
  Overrides()[static_cast<std::size_t>(index)] = rgb;
}

TColor ResolveColor(TColor color) {
  return color >= 0 ? color : SystemColor(color & 0xFF);
}
