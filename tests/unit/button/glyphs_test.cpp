// The built-in glyph images and their greyed copies.
#include <gtest/gtest.h>

#include <cmath>

#include "button/BuiltinGlyphs.h"
#include "button/DisabledGlyph.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t At(const TGlyphImage& image, int x, int y) {
  return image[static_cast<std::size_t>(y * 16 + x)];
}
int Brightness(std::uint32_t c) {
  return static_cast<int>((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF));
}
bool InsideDisc(int x, int y, double radius) {
  return std::hypot(x - 7.5, y - 7.5) <= radius;
}

struct NamedGlyph {
  const char* name;
  const TGlyphImage* image;
};
const NamedGlyph kGlyphs[] = {{"OK", &kOkGlyph}, {"Cancel", &kCancelGlyph}, {"Help", &kHelpGlyph}};

TEST(BuiltinGlyphs, ShareTheWhiteMarginAndARoundDisc) {
  for (const NamedGlyph& g : kGlyphs) {
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(At(*g.image, i, 0), kWhite) << g.name;
      EXPECT_EQ(At(*g.image, i, 15), kWhite) << g.name;
      EXPECT_EQ(At(*g.image, 0, i), kWhite) << g.name;
      EXPECT_EQ(At(*g.image, 15, i), kWhite) << g.name;
    }
    // Cut at the corners, full across the middle of every side.
    for (int corner : {1, 14}) EXPECT_EQ(At(*g.image, corner, corner), kWhite) << g.name;
    for (int edge : {1, 14}) {
      EXPECT_NE(At(*g.image, 7, edge), kWhite) << g.name;
      EXPECT_NE(At(*g.image, edge, 7), kWhite) << g.name;
    }
    // Lit from the upper left.
    EXPECT_GT(Brightness(At(*g.image, 3, 4)), Brightness(At(*g.image, 12, 11)) + 60) << g.name;
  }
}

TEST(BuiltinGlyphs, EachHasTheColourOfItsKind) {
  const std::uint32_t ok = At(kOkGlyph, 4, 6), cancel = At(kCancelGlyph, 4, 8),
                      help = At(kHelpGlyph, 4, 8);
  EXPECT_GT((ok >> 8) & 0xFF, (ok & 0xFF) + 60) << "green";
  EXPECT_GT(cancel & 0xFF, ((cancel >> 8) & 0xFF) + 60) << "red";
  EXPECT_GT((help >> 16) & 0xFF, (help & 0xFF) + 60) << "blue";
}

TEST(BuiltinGlyphs, OkAndCancelSymbolsHavePureWhiteCoresHelpDoesNot) {
  int okCore = 0, helpCore = 0;
  for (int y = 1; y < 15; ++y)
    for (int x = 1; x < 15; ++x) {
      if (!InsideDisc(x, y, 5.5)) continue;
      okCore += At(kOkGlyph, x, y) == kWhite;
      helpCore += At(kHelpGlyph, x, y) == kWhite;
    }
  EXPECT_GE(okCore, 10);
  EXPECT_EQ(helpCore, 0) << "the question mark is near-white and drawn";
  // The cross: both diagonals of the central 6 x 6 pixels, meeting in a 2 x 2 block.
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(At(kCancelGlyph, 5 + i, 5 + i), kWhite) << i;
    EXPECT_EQ(At(kCancelGlyph, 10 - i, 5 + i), kWhite) << i;
  }
  EXPECT_NE(At(kCancelGlyph, 7, 5), kWhite);
  EXPECT_NE(At(kHelpGlyph, 7, 11), At(kHelpGlyph, 7, 12)) << "the dot of the question mark";
}

TEST(BuiltinGlyphs, LoadingForcesSixteenBySixteenTransparent) {
  TBitmap bitmap;
  bitmap.SetSize(3, 40);
  LoadBuiltinGlyph(bitmap, kHelpGlyph);
  ASSERT_EQ(bitmap.Width(), 16);
  ASSERT_EQ(bitmap.Height(), 16);
  EXPECT_TRUE(bitmap.Transparent());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(static_cast<std::uint32_t>(bitmap.Pixel(x, y)), At(kHelpGlyph, x, y));
  EXPECT_EQ(bitmap.TransparentColor(), clWhite);
}

TEST(DisabledGlyph, BlendsThreeQuartersTowardTheFaceAndKeepsTheKey) {
  OverrideSystemColor(SysColorBtnFace, RGBColor(240, 240, 240));
  TBitmap glyph;
  glyph.SetSize(3, 2);
  const TColor key = RGBColor(0, 255, 0);
  glyph.SetPixel(0, 0, key);
  glyph.SetPixel(1, 0, clWhite);
  glyph.SetPixel(2, 0, RGBColor(1, 0, 100));
  glyph.SetPixel(0, 1, key);
  glyph.SetPixel(1, 1, key);
  glyph.SetPixel(2, 1, clBlack);

  TBitmap disabled;
  DeriveDisabledBitmap(glyph, disabled);
  EXPECT_TRUE(disabled.Transparent());
  EXPECT_EQ(disabled.Pixel(0, 0), key);
  EXPECT_EQ(disabled.Pixel(1, 0), RGBColor(243, 243, 243));
  EXPECT_EQ(disabled.Pixel(2, 0), RGBColor(180, 180, 205)) << "rounds down";
  EXPECT_EQ(disabled.Pixel(0, 1), key);
  EXPECT_EQ(disabled.Pixel(1, 1), key);
  EXPECT_EQ(disabled.Pixel(2, 1), RGBColor(180, 180, 180));
  OverrideSystemColor(SysColorBtnFace, std::nullopt);
}

TEST(DisabledGlyph, KeyIsTheTopLeftPixelOfTheSource) {
  OverrideSystemColor(SysColorBtnFace, RGBColor(0, 0, 0));
  TBitmap source;
  source.SetSize(2, 1);
  source.SetPixel(0, 0, RGBColor(8, 8, 8));
  source.SetPixel(1, 0, RGBColor(8, 8, 8));
  TBitmap target;
  target.SetSize(2, 1);
  target.SetPixel(1, 0, RGBColor(9, 9, 9));
  BlendTowardFace(source, target);
  EXPECT_EQ(target.Pixel(0, 0), RGBColor(8, 8, 8));
  EXPECT_EQ(target.Pixel(1, 0), RGBColor(9, 9, 9)) << "a pixel of the key colour is left unchanged";
  OverrideSystemColor(SysColorBtnFace, std::nullopt);
}

}  // namespace
