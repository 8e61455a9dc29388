// TBitmap and its BMP form, which the window description stores pictures in.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "toolkit/BmpFile.h"

namespace {

TBitmap Sample(int width, int height) {
  TBitmap b;
  b.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(
          x, y,
          RGBColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 30), 200));
  return b;
}

void ExpectSameImage(const TBitmap& a, const TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  EXPECT_EQ(a.Pixels(), b.Pixels());
}

TEST(Bitmap, EmptyUntilSizedAndOutOfRangeIsHarmless) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(3, 0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  b.SetSize(2, 2);
  EXPECT_FALSE(b.Empty());
  b.SetPixel(2, 0, clWhite);
  b.SetPixel(0, -1, clWhite);
  EXPECT_EQ(b.Pixel(2, 0), -1);
  EXPECT_EQ(b.Pixels(), std::vector<std::uint32_t>(4, 0));
  b.SetPixel(0, 1, static_cast<TColor>(0xFF123456));
  EXPECT_EQ(b.TransparentColor(), 0x123456) << "bottom-left pixel, high byte dropped";
  b.Clear();
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, StampChangesWithTheImageAndIsNeverShared) {
  TBitmap a = Sample(2, 2);
  const auto before = a.Stamp();
  a.SetPixel(0, 0, clBlack);
  EXPECT_NE(a.Stamp(), before);
  const auto afterPixel = a.Stamp();
  a.SetTransparent(true);
  EXPECT_EQ(a.Stamp(), afterPixel) << "transparency is not part of the image";
  TBitmap b(a);
  TBitmap c;
  c.Assign(a);
  EXPECT_EQ((std::set<std::uint64_t>{a.Stamp(), b.Stamp(), c.Stamp()}).size(), 3u);
  EXPECT_TRUE(c.Transparent());
  ExpectSameImage(a, c);
}

TEST(BmpFile, RoundTripsOddWidthsThroughTwentyFourBits) {
  for (int width : {1, 2, 3, 5, 16}) {
    const TBitmap original = Sample(width, 3);
    const std::vector<std::uint8_t> bytes = SaveBmp(original);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + stride * 3);
    TBitmap loaded;
    ASSERT_TRUE(LoadBmp(bytes.data(), bytes.size(), loaded)) << width;
    ExpectSameImage(loaded, original);
  }
}

TEST(BmpFile, WritesBottomUpBlueGreenRed) {
  TBitmap b;
  b.SetSize(1, 2);
  b.SetPixel(0, 0, RGBColor(1, 2, 3));
  b.SetPixel(0, 1, RGBColor(4, 5, 6));
  const auto bytes = SaveBmp(b);
  ASSERT_EQ(bytes.size(), 62u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[28], 24);
  EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 54, bytes.end())),
            (std::vector<std::uint8_t>{6, 5, 4, 0, 3, 2, 1, 0}));
}

std::vector<std::uint8_t> Header(std::int32_t width, std::int32_t height, std::uint16_t bits) {
  std::vector<std::uint8_t> h(54, 0);
  h[0] = 'B';
  h[1] = 'M';
  h[10] = 54;
  h[14] = 40;
  std::memcpy(&h[18], &width, 4);
  std::memcpy(&h[22], &height, 4);
  h[26] = 1;
  h[28] = static_cast<std::uint8_t>(bits);
  return h;
}

TEST(BmpFile, ReadsTopDownAndThirtyTwoBitImages) {
  auto topDown = Header(1, -2, 24);
  topDown.insert(topDown.end(), {3, 2, 1, 0, 6, 5, 4, 0});
  TBitmap a;
  ASSERT_TRUE(LoadBmp(topDown.data(), topDown.size(), a));
  EXPECT_EQ(a.Pixel(0, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(a.Pixel(0, 1), RGBColor(4, 5, 6));

  auto wide = Header(2, 1, 32);
  wide.insert(wide.end(), {3, 2, 1, 0xAA, 6, 5, 4, 0xBB});
  TBitmap b;
  ASSERT_TRUE(LoadBmp(wide.data(), wide.size(), b));
  EXPECT_EQ(b.Pixel(1, 0), RGBColor(4, 5, 6));
}

std::vector<std::uint8_t> WithByte(std::vector<std::uint8_t> bytes, std::size_t at,
                                   std::uint8_t value) {
  if (at < bytes.size()) bytes[at] = value;
  return bytes;
}

TEST(BmpFile, RefusesMalformedDataAndLeavesTheBitmapAlone) {
  const TBitmap original = Sample(2, 2);
  const auto good = SaveBmp(Sample(3, 3));
  const auto badMagic = WithByte(good, 1, 'N');
  const auto eightBit = WithByte(good, 28, 8);
  const auto compressed = WithByte(good, 30, 1);
  const auto zeroWidth = WithByte(WithByte(good, 18, 0), 19, 0);
  const auto huge = Header(100000, 100000, 24);
  const auto offsetPastEnd = WithByte(good, 10, 0xFF);
  const auto smallInfo = WithByte(good, 14, 12);
  const std::vector<std::vector<std::uint8_t>> cases = {
      badMagic,
      eightBit,
      compressed,
      zeroWidth,
      huge,
      offsetPastEnd,
      smallInfo,
      std::vector<std::uint8_t>(good.begin(), good.end() - 1),
      std::vector<std::uint8_t>(good.begin(), good.begin() + 20)};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    TBitmap target = original;
    EXPECT_FALSE(LoadBmp(cases[i].data(), cases[i].size(), target)) << "case " << i;
    ExpectSameImage(target, original);
  }
  TBitmap target;
  EXPECT_FALSE(LoadBmp(nullptr, 0, target));
}

}  // namespace
