// Malformed block sequences: each fault gives its negative result, and no call
// reads or writes outside the exact-size buffers it is given.
#include <gtest/gtest.h>

#include <algorithm>

#include "codec_test_support.h"

namespace {

std::ptrdiff_t DecodeResult(const Bytes& block, std::size_t capacity) {
  return DecodeBlockExactly(block, capacity).result;
}

std::ptrdiff_t DecompressResult(const Bytes& sequence, std::size_t capacity) {
  return DecodeExactly(DecompressBuffer, sequence, capacity).result;
}

TEST(RleMalformed, HeaderThatDoesNotFit) {
  EXPECT_EQ(DecodeResult({}, 16), kRleBadHeader);
  EXPECT_EQ(DecodeResult({0x00}, 16), kRleBadHeader);
  // Position-list header past the end of the block.
  EXPECT_EQ(DecodeResult(Bytes{0x03, 0x01} + Ascending(0x00, 0xFF), 300), kRleBadHeader);
  EXPECT_EQ(DecodeResult({0xFF, 0xFF, 0x41}, 300), kRleBadHeader);
}

TEST(RleMalformed, EscapeRunCodeCutOff) {
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x61, 0x00}, 16), kRleTruncatedRun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x61, 0x00, 0x7A}, 16), kRleTruncatedRun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x00, 0x7A, 0x00}, 70000), kRleTruncatedRun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x00, 0x7A, 0x00, 0xFC}, 70000), kRleTruncatedRun);
}

TEST(RleMalformed, EscapeModeOverrun) {
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x00, 0x7A, 0x00, 0xFC, 0xFF}, 65532), kRleOverrun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x61, 0x62, 0x63}, 2), kRleOverrun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x61, 0x00, 0x7A, 0x05}, 6), kRleOverrun);
  EXPECT_EQ(DecodeResult({0x00, 0x00, 0x61, 0x00, 0x7A, 0x05}, 7), 7);
}

// 00..FF, six 41, 00..FF, 300 42: a position-list block with a short and a long
// run code; H = 0x208 and the list is 0x0205 (second run) then 0x0103 (first run).
const Bytes& TwoRunBlock() {
  static const Bytes block =
      Encode(Ascending(0x00, 0xFF) + Repeat(0x41, 6) + Ascending(0x00, 0xFF) + Repeat(0x42, 300));
  return block;
}
constexpr std::size_t kTwoRunDecodedSize = 256 + 6 + 256 + 300;

Bytes WithListWords(std::uint16_t last, std::uint16_t first) {
  Bytes block = TwoRunBlock();
  const std::size_t end = block.size();
  StoreLe16(&block[end - 4], last);
  StoreLe16(&block[end - 2], first);
  return block;
}

TEST(RleMalformed, PositionList) {
  const Bytes& block = TwoRunBlock();
  ASSERT_EQ(block.size(), 2u + 256 + 2 + 256 + 4 + 4);
  ASSERT_EQ(DecodeResult(WithListWords(0x0205, 0x0103), kTwoRunDecodedSize),
            static_cast<std::ptrdiff_t>(kTwoRunDecodedSize));

  EXPECT_EQ(DecodeResult(block + Bytes{0x00}, kTwoRunDecodedSize), kRleBadPositionList);
  EXPECT_EQ(DecodeResult(WithListWords(0x0103, 0x0205), 70000), kRleBadPositionList);
  EXPECT_EQ(DecodeResult(WithListWords(0x0103, 0x0103), 70000), kRleBadPositionList);
  // Offset 2 would make the header's high byte a fill byte.
  EXPECT_EQ(DecodeResult(WithListWords(0x0205, 0x0002), 70000), kRleBadPositionList);
  // Offsets at or past the end of the data area.
  EXPECT_EQ(DecodeResult(WithListWords(0x0208, 0x0103), 70000), kRleBadPositionList);
  EXPECT_EQ(DecodeResult(WithListWords(0xFFFF, 0x0103), 70000), kRleBadPositionList);
}

TEST(RleMalformed, PositionListRunCodeCutOff) {
  // A long count whose 16-bit word would run past the data area.
  const Bytes oneByteShort =
      Bytes{0x05, 0x01} + Ascending(0x00, 0xFF) + Bytes{0x42, 0x00, 0x2B} + Bytes{0x03, 0x01};
  EXPECT_EQ(DecodeResult(oneByteShort, 70000), kRleTruncatedRun);
  const Bytes complete =
      Bytes{0x06, 0x01} + Ascending(0x00, 0xFF) + Bytes{0x42, 0x00, 0x2B, 0x01} + Bytes{0x03, 0x01};
  EXPECT_EQ(DecodeResult(complete, 70000), 256 + 300);
}

TEST(RleMalformed, PositionListOverrun) {
  EXPECT_EQ(DecodeResult(TwoRunBlock(), kTwoRunDecodedSize - 1), kRleOverrun);
  EXPECT_EQ(DecodeResult(TwoRunBlock(), 0), kRleOverrun);
  // The final literal stretch alone overruns.
  EXPECT_EQ(DecodeResult(Bytes{0x02, 0x01} + Ascending(0x00, 0xFF), 255), kRleOverrun);
}

TEST(RleMalformed, BlockSequence) {
  EXPECT_EQ(DecompressResult({0x05}, 16), kRleBadLength);
  EXPECT_EQ(DecompressResult({0x05, 0x00, 0x00, 0x00, 0x61}, 16), kRleBadLength);
  EXPECT_EQ(DecompressResult({0x03, 0x00, 0x00, 0x00, 0x61, 0x01}, 16), kRleBadLength);
  EXPECT_EQ(DecompressResult({0x00, 0x00}, 16), kRleBadHeader);
  // A fault in the second block is reported too.
  EXPECT_EQ(DecompressResult({0x03, 0x00, 0x00, 0x00, 0x61, 0x03, 0x00, 0x00, 0x00, 0x00}, 16),
            kRleTruncatedRun);
  // The destination is shared by all blocks.
  const Bytes two = Compress(Repeat(0x7A, 65534));
  const Bytes sequence(two.begin() + 4, two.end());
  EXPECT_EQ(DecompressResult(sequence, 65534), 65534);
  EXPECT_EQ(DecompressResult(sequence, 65533), kRleOverrun);
}

constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0xA5;

// Every truncation and many single-byte changes of a multi-block stream decode to
// an error or to at most the capacity, without a byte written past it.
TEST(RleMalformed, DamagedStreamsStayInBounds) {
  DeterministicRandom random(4);
  const Bytes data = Repeat(0x00, 9) + Ascending(0x00, 0xFF) + Repeat(0x41, 300) +
                     RandomBytes(random, 70000 - 565, 40) + Ascending(0x00, 0xFF) + Repeat(0xFF, 6);
  const Bytes framed = Compress(data);
  const Bytes sequence(framed.begin() + 4, framed.end());

  const auto check = [&](const Bytes& damaged) {
    const Bytes input(damaged);
    Bytes output(data.size() + kGuard, kGuardByte);
    const std::ptrdiff_t result =
        DecompressBuffer(input.data(), output.data(), input.size(), data.size());
    ASSERT_GE(result, kRleBadLength);
    ASSERT_LE(result, static_cast<std::ptrdiff_t>(data.size()));
    ASSERT_TRUE(std::all_of(output.end() - kGuard, output.end(),
                            [](std::uint8_t byte) { return byte == kGuardByte; }));
  };
  for (std::size_t length = 0; length <= sequence.size(); length += length < 600 ? 1 : 97) {
    check(Bytes(sequence.begin(), sequence.begin() + static_cast<std::ptrdiff_t>(length)));
  }
  const auto position = [&] { return random.Below(static_cast<std::uint32_t>(sequence.size())); };
  for (int i = 0; i < 3000; ++i) {
    Bytes damaged = sequence;
    // Mostly the first bytes of each block, where headers, run codes and lists are dense.
    const std::size_t at = i % 2 ? position() : position() % 600;
    damaged[at] = random.Byte();
    check(damaged);
  }
}

}  // namespace
