// The colour arithmetic and the flat face, pixel for pixel on a memory surface.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "button/ButtonColors.h"
#include "button/FlatFace.h"
#include "toolkit/MemorySurface.h"

namespace {

TEST(ColorArithmetic, ChannelsSaturateWithoutCarryOrBorrow) {
  EXPECT_EQ(ColorAdd(RGBColor(16, 255, 128), 0x808080), RGBColor(144, 255, 255));
  EXPECT_EQ(ColorSub(RGBColor(48, 32, 16), 0x202020), RGBColor(16, 0, 0));
  // A full channel next to an empty one: no carry into blue, no borrow from green.
  EXPECT_EQ(ColorAdd(RGBColor(0, 255, 0), RGBColor(0, 1, 0)), RGBColor(0, 255, 0));
  EXPECT_EQ(ColorSub(RGBColor(0, 0, 5), RGBColor(1, 0, 0)), RGBColor(0, 0, 5));
}

TEST(ColorArithmetic, HighByteIsIgnoredAndCleared) {
  EXPECT_EQ(ColorAdd(static_cast<TColor>(0x7F123456), 0), 0x123456);
  EXPECT_EQ(ColorAdd(static_cast<TColor>(0x80123456), 0), 0x123456);
  EXPECT_EQ(ColorSub(0x123456, static_cast<TColor>(0xFF000000)), 0x123456);
  EXPECT_EQ(ColorAdd(static_cast<TColor>(0xFFFFFFFF), static_cast<TColor>(0xFFFFFFFF)), 0xFFFFFF);
}

// Expected faces drawn as letters, one per pixel, each standing for a colour.
void ExpectPicture(const TMemorySurface& surface, const std::vector<std::string>& rows,
                   const std::map<char, TColor>& colours) {
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(surface.Height()));
  for (int y = 0; y < surface.Height(); ++y) {
    ASSERT_EQ(rows[y].size(), static_cast<std::size_t>(surface.Width()));
    for (int x = 0; x < surface.Width(); ++x)
      EXPECT_EQ(surface.GetPixel(x, y), colours.at(rows[y][x]))
          << "pixel (" << x << ", " << y << ")";
  }
}

const TColor kBase = RGBColor(100, 150, 200);

TEST(FlatFace, RaisedFaceEdgesAndCorners) {
  TMemorySurface surface(8, 6);
  PaintFlatFace({0, 0, 8, 6}, surface, kBase, false, false);
  // clang-format off
  ExpectPicture(surface,
                {"FGOOOOGF",
                 "GGLLLLGG",
                 "OLFFFFDX",
                 "OLFFFFDX",
                 "ODDDDDDX",
                 "GXXXXXXG"},
                {{'F', kBase},
                 {'G', RGBColor(64, 114, 164)},
                 {'O', RGBColor(52, 102, 152)},
                 {'L', RGBColor(124, 174, 224)},
                 {'D', RGBColor(60, 110, 160)},
                 {'X', RGBColor(0, 22, 72)}});
  // clang-format on
  EXPECT_EQ(surface.BrushColor(), kBase);
}

TEST(FlatFace, PressedFaceSwapsTheInnerEdgesAndLightensTheFill) {
  TMemorySurface surface(8, 6);
  PaintFlatFace({0, 0, 8, 6}, surface, kBase, true, false);
  const TColor fill = RGBColor(112, 162, 212);
  // clang-format off
  ExpectPicture(surface,
                {"FGOOOOGF",
                 "GGLLLLGG",
                 "OLFFFFDX",
                 "OLFFFFDX",
                 "ODDDDDDX",
                 "GXXXXXXG"},
                {{'F', fill},
                 {'G', RGBColor(64, 114, 164)},
                 {'O', RGBColor(52, 102, 152)},
                 {'L', RGBColor(76, 126, 176)},
                 {'D', RGBColor(120, 170, 220)},
                 {'X', RGBColor(36, 86, 136)}});
  // clang-format on
  EXPECT_EQ(surface.BrushColor(), fill);
}

TEST(FlatFace, FillFollowsHighlightOnTheButtonFaceColour) {
  OverrideSystemColor(SysColorBtnFace, RGBColor(240, 240, 250));
  const TRect rect{0, 0, 20, 10};
  struct Case {
    bool pressed, focus;
    TColor fill;
  };
  for (const Case& c :
       {Case{false, false, RGBColor(240, 240, 250)}, Case{false, true, RGBColor(252, 252, 255)},
        Case{true, false, RGBColor(252, 252, 255)}, Case{true, true, RGBColor(252, 252, 255)}}) {
    TMemorySurface surface(20, 10);
    PaintFlatFace(rect, surface, clBtnFace, c.pressed, c.focus);
    EXPECT_EQ(surface.GetPixel(10, 5), c.fill) << c.pressed << c.focus;
    EXPECT_EQ(surface.GetPixel(0, 0), c.fill) << "top-left corner carries the fill";
    EXPECT_EQ(surface.GetPixel(19, 0), c.fill) << "top-right corner carries the fill";
    EXPECT_EQ(surface.BrushColor(), c.fill);
  }
  OverrideSystemColor(SysColorBtnFace, std::nullopt);
}

TEST(FlatFace, WhiteBaseCapsTheLightEdge) {
  TMemorySurface surface(10, 8);
  PaintFlatFace({0, 0, 10, 8}, surface, clWhite, false, false);
  EXPECT_EQ(surface.GetPixel(1, 3), clWhite) << "inner left edge";
  EXPECT_EQ(surface.GetPixel(4, 1), clWhite) << "inner top edge";
  EXPECT_EQ(surface.GetPixel(9, 3), 0x7F7F7F) << "outer right edge";
  EXPECT_EQ(surface.GetPixel(4, 7), 0x7F7F7F) << "outer bottom edge";
}

TEST(FlatFace, PaintsOnlyItsRectangleAndLeavesItAlone) {
  TMemorySurface surface(14, 10, RGBColor(1, 2, 3));
  const TRect rect{2, 3, 12, 9};
  PaintFlatFace(rect, surface, kBase, false, true);
  EXPECT_EQ(rect, (TRect{2, 3, 12, 9}));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 14; ++x)
      if (!rect.Contains(x, y)) {
        EXPECT_EQ(surface.GetPixel(x, y), RGBColor(1, 2, 3)) << x << "," << y;
      }
  EXPECT_EQ(surface.GetPixel(2, 3), ColorAdd(kBase, 0x0C0C0C));
  EXPECT_EQ(surface.GetPixel(2, 4), ColorSub(kBase, 0x242424));
}

TEST(FlatFace, TinyRectanglesDrawBackwardsOutsideTheRectangle) {
  // 2 x 2 at (1, 1): spans run backwards, so the outer left edge covers row 3 and
  // the outer top edge column 3, both outside the rectangle.
  TMemorySurface surface(4, 4, clBlack);
  PaintFlatFace({1, 1, 3, 3}, surface, kBase, false, false);
  EXPECT_EQ(surface.GetPixel(1, 3), ColorSub(kBase, 0x303030));
  EXPECT_EQ(surface.GetPixel(3, 1), ColorSub(kBase, 0x303030));
  EXPECT_EQ(surface.GetPixel(2, 3), ColorSub(kBase, 0x808080));
  EXPECT_EQ(surface.GetPixel(1, 2), ColorSub(kBase, 0x242424));
  EXPECT_EQ(surface.GetPixel(1, 1), ColorSub(kBase, 0x242424)) << "(R-2, T) overrides (L, T)";
  EXPECT_EQ(surface.GetPixel(0, 0), clBlack);
}

}  // namespace
