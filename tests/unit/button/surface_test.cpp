// The memory surface keeps the window system's drawing rules, so that painting
// checked on it looks the same on the screen.
#include <gtest/gtest.h>

#include "toolkit/MemorySurface.h"

namespace {

const TColor kPen = RGBColor(9, 8, 7);

int CountColour(const TMemorySurface& s, TColor c) {
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) n += s.GetPixel(x, y) == c;
  return n;
}

TEST(MemorySurface, LinesLeaveOutTheirEndPointInEitherDirection) {
  TMemorySurface s(8, 8);
  s.SetPenColor(kPen);
  s.MoveTo(1, 2);
  s.LineTo(5, 2);
  EXPECT_EQ(s.GetPixel(1, 2), kPen);
  EXPECT_EQ(s.GetPixel(4, 2), kPen);
  EXPECT_EQ(s.GetPixel(5, 2), clBlack);

  s.MoveTo(6, 6);
  s.LineTo(6, 3);  // upward: 6, 5, 4
  EXPECT_EQ(s.GetPixel(6, 6), kPen);
  EXPECT_EQ(s.GetPixel(6, 4), kPen);
  EXPECT_EQ(s.GetPixel(6, 3), clBlack);

  s.LineTo(6, 3);  // zero length from the pen's resting point
  EXPECT_EQ(CountColour(s, kPen), 7);
}

TEST(MemorySurface, ClipsEverythingToItsArea) {
  TMemorySurface s(4, 3, clWhite);
  s.SetBrushColor(kPen);
  s.FillRect({-5, -5, 2, 10});
  EXPECT_EQ(CountColour(s, kPen), 6);
  s.SetPixel(-1, 0, clBlack);
  s.SetPixel(4, 0, clBlack);
  s.SetPenColor(clBlack);
  s.MoveTo(-3, 2);
  s.LineTo(9, 2);
  EXPECT_EQ(CountColour(s, clBlack), 4);
  EXPECT_EQ(s.GetPixel(4, 0), -1);
  EXPECT_EQ(s.GetPixel(0, -1), -1);
}

TEST(MemorySurface, ResolvesSystemColours) {
  OverrideSystemColor(SysColorBtnFace, RGBColor(1, 2, 3));
  TMemorySurface s(2, 2, clBtnFace);
  EXPECT_EQ(s.GetPixel(1, 1), RGBColor(1, 2, 3));
  s.SetBrushColor(clBtnFace);
  EXPECT_EQ(s.BrushColor(), RGBColor(1, 2, 3));
  OverrideSystemColor(SysColorBtnFace, std::nullopt);
  EXPECT_EQ(ResolveColor(clBtnFace), SystemColor(SysColorBtnFace));
  EXPECT_NE(SystemColor(SysColorBtnFace), RGBColor(1, 2, 3)) << "released";
  EXPECT_EQ(ResolveColor(0x123456), 0x123456);
}

TEST(MemorySurface, TransparentBitmapsSkipTheirBottomLeftColour) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  bitmap.SetPixel(0, 0, clWhite);  // top left: not the key
  bitmap.SetPixel(1, 0, kPen);
  bitmap.SetPixel(0, 1, kPen);  // bottom left: the key
  bitmap.SetPixel(1, 1, clWhite);

  TMemorySurface opaque(3, 3, clBlack);
  opaque.DrawBitmap(1, 1, bitmap);
  EXPECT_EQ(CountColour(opaque, kPen), 2);

  bitmap.SetTransparent(true);
  TMemorySurface keyed(3, 3, clBlack);
  keyed.DrawBitmap(1, 1, bitmap);
  EXPECT_EQ(keyed.GetPixel(1, 1), clWhite);
  EXPECT_EQ(keyed.GetPixel(2, 1), clBlack);
  EXPECT_EQ(keyed.GetPixel(1, 2), clBlack);
  EXPECT_EQ(keyed.GetPixel(2, 2), clWhite);

  TMemorySurface clipped(2, 2, clBlack);
  clipped.DrawBitmap(-1, -1, bitmap);
  EXPECT_EQ(clipped.GetPixel(0, 0), clWhite);
}

TEST(MemorySurface, RecordsTextWithItsColoursFontAndOpaqueBackground) {
  TMemorySurface s(10, 10);
  TFont font;
  font.SetName("Segoe UI");
  font.SetColor(RGBColor(1, 1, 1));
  s.SetBrushColor(RGBColor(5, 5, 5));
  s.SelectFont(font);
  s.TextInRect({1, 2, 3, 4}, "&Install", TextFlags::Center);
  s.SetTextColor(RGBColor(2, 2, 2));
  s.TextInRect({0, 0, 1, 1}, "x", 0);
  ASSERT_EQ(s.Texts().size(), 2u);
  EXPECT_EQ(s.Texts()[0].Text, "&Install");
  EXPECT_EQ(s.Texts()[0].Rect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(s.Texts()[0].TextColor, RGBColor(1, 1, 1));
  EXPECT_EQ(s.Texts()[0].BackColor, RGBColor(5, 5, 5));
  EXPECT_EQ(s.Texts()[0].Font.Name(), "Segoe UI");
  EXPECT_EQ(s.Texts()[1].TextColor, RGBColor(2, 2, 2));
  EXPECT_EQ(CountColour(s, clBlack), 100) << "text is recorded, not drawn";
}

TEST(Font, NotifiesOncePerActualChange) {
  TFont font;
  struct Counter : TObject {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
  } counter;
  font.OnChange = TNotifyEvent(&counter, &Counter::Changed);
  font.SetHeight(font.Height());
  font.SetName(font.Name());
  EXPECT_EQ(counter.changes, 0);
  font.SetStyle({fsBold, fsItalic});
  font.SetColor(clBlack);
  EXPECT_EQ(counter.changes, 2);
  TFont other;
  other.SetName("Arial");
  other.SetHeight(-16);
  font.Assign(other);
  EXPECT_EQ(counter.changes, 3);
  EXPECT_TRUE(font.SameAs(other));
  font.Assign(other);
  EXPECT_EQ(counter.changes, 3);
  EXPECT_TRUE(font.OnChange.Assigned()) << "assigning keeps the handler";
}

}  // namespace
