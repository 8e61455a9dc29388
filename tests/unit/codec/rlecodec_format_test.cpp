// The byte format: worked examples and edge cases of docs/codec-format.md, byte for
// byte, in both directions.
#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace {

// Encodes `block`, expects exactly `coded`, and expects `coded` to decode back.
void ExpectBlockCoding(const Bytes& block, const Bytes& coded) {
  EXPECT_EQ(Encode(block), coded);
  const Decoded decoded = DecodeBlockExactly(coded, block.size());
  EXPECT_EQ(decoded.result, static_cast<std::ptrdiff_t>(block.size()));
  EXPECT_EQ(decoded.bytes, block);
}

TEST(RleFormat, EscapeModeExamples) {
  // abbbbbbc: 00 is absent, so it is the escape value.
  ExpectBlockCoding({0x61, 0x62, 0x62, 0x62, 0x62, 0x62, 0x62, 0x63},
                    {0x00, 0x00, 0x61, 0x00, 0x62, 0x05, 0x63});
  // Three equal bytes stay literal, four become a run code.
  ExpectBlockCoding({0x78, 0x61, 0x61, 0x61, 0x79}, {0x00, 0x00, 0x78, 0x61, 0x61, 0x61, 0x79});
  ExpectBlockCoding({0x78, 0x61, 0x61, 0x61, 0x61, 0x79},
                    {0x00, 0x00, 0x78, 0x00, 0x61, 0x03, 0x79});
  // A long run code: K = 299.
  ExpectBlockCoding(Bytes{0x61} + Repeat(0x7A, 300) + Bytes{0x62},
                    {0x00, 0x00, 0x61, 0x00, 0x7A, 0x00, 0x2B, 0x01, 0x62});
  // One-byte blocks; the escape value is the lowest absent value.
  ExpectBlockCoding({0x41}, {0x00, 0x00, 0x41});
  ExpectBlockCoding({0x00}, {0x01, 0x00, 0x00});
}

TEST(RleFormat, PositionListExamples) {
  // 00..FF then six more FF: the FF run of 7 has its count byte at offset 258.
  ExpectBlockCoding(Ascending(0x00, 0xFF) + Repeat(0xFF, 6),
                    Bytes{0x03, 0x01} + Ascending(0x00, 0xFE) + Bytes{0xFF, 0x06, 0x02, 0x01});
  // Runs at both ends: the list names the last run first.
  ExpectBlockCoding(Repeat(0x00, 6) + Ascending(0x01, 0xFE) + Repeat(0xFF, 6),
                    Bytes{0x04, 0x01, 0x00, 0x05} + Ascending(0x01, 0xFE) +
                        Bytes{0xFF, 0x05, 0x03, 0x01, 0x03, 0x00});
  // No runs at all: the block ends at H.
  ExpectBlockCoding(Ascending(0x00, 0xFF), Bytes{0x02, 0x01} + Ascending(0x00, 0xFF));
}

TEST(RleFormat, ModeChoice) {
  const Bytes allButFF = Ascending(0x00, 0xFE);
  EXPECT_EQ(Encode(allButFF), (Bytes{0xFF, 0x00} + allButFF));

  // The lowest absent value wins even when higher values are absent too.
  EXPECT_EQ(Encode({0x00, 0x01, 0x03, 0x05}), (Bytes{0x02, 0x00, 0x00, 0x01, 0x03, 0x05}));

  const Bytes coded = Encode(Ascending(0x00, 0xFF) + Ascending(0x00, 0xFF));
  EXPECT_GE(coded[0] | (coded[1] << 8), 258);

  // A value that occurs only in the last byte still counts, wherever the block ends.
  for (std::size_t filler = 4090; filler < 4100; ++filler) {
    const Bytes allBut37 = Repeat(0x41, filler) + Ascending(0x00, 0x36) + Ascending(0x38, 0xFF);
    EXPECT_EQ(Encode(allBut37)[0], 0x37);
    const Bytes withLast37 = Encode(allBut37 + Bytes{0x37});
    EXPECT_EQ(withLast37[1], 0x01) << filler;  // H of 256 or more: position-list mode
  }

  // No bytes at all: a bare escape-mode header that decodes to nothing.
  EXPECT_EQ(Encode({}), (Bytes{0x00, 0x00}));
  EXPECT_EQ(DecodeBlockExactly({0x00, 0x00}, 0).result, 0);
}

TEST(RleFormat, RunThresholds) {
  // Escape mode: 3 stay literal, 4 make a run code.
  EXPECT_EQ(Encode(Repeat(0x41, 3)), (Bytes{0x00, 0x00, 0x41, 0x41, 0x41}));
  EXPECT_EQ(Encode(Repeat(0x41, 4)), (Bytes{0x00, 0x00, 0x00, 0x41, 0x03}));

  // Position-list mode: 4 stay literal, 5 make a run code.
  const Bytes all = Ascending(0x00, 0xFF);
  ExpectBlockCoding(all + Repeat(0x41, 4), Bytes{0x06, 0x01} + all + Repeat(0x41, 4));
  ExpectBlockCoding(all + Repeat(0x41, 5), Bytes{0x04, 0x01} + all + Bytes{0x41, 0x04, 0x03, 0x01});
}

TEST(RleFormat, CountWidths) {
  // 256 bytes: count byte FF; 257 bytes: zero byte and K = 256.
  ExpectBlockCoding(Repeat(0x41, 256), {0x00, 0x00, 0x00, 0x41, 0xFF});
  ExpectBlockCoding(Repeat(0x41, 257), {0x00, 0x00, 0x00, 0x41, 0x00, 0x00, 0x01});

  // The same in position-list mode, where the list names the count byte.
  const Bytes all = Ascending(0x00, 0xFF);
  ExpectBlockCoding(all + Repeat(0x41, 256),
                    Bytes{0x04, 0x01} + all + Bytes{0x41, 0xFF, 0x03, 0x01});
  ExpectBlockCoding(all + Repeat(0x41, 257),
                    Bytes{0x06, 0x01} + all + Bytes{0x41, 0x00, 0x00, 0x01, 0x03, 0x01});

  // A whole block of one value.
  ExpectBlockCoding(Repeat(0x7A, 65533), {0x00, 0x00, 0x00, 0x7A, 0x00, 0xFC, 0xFF});
}

TEST(RleFormat, CountByteEqualToEscapeIsACount) {
  // Values 00..04 present, so E = 05; a run of six has the count byte 05.
  const Bytes block = Ascending(0x00, 0x04) + Repeat(0x41, 6) + Bytes{0x42};
  const Bytes coded = Encode(block);
  EXPECT_EQ(coded, (Bytes{0x05, 0x00} + Ascending(0x00, 0x04) + Bytes{0x05, 0x41, 0x05, 0x42}));
  EXPECT_EQ(DecodeBlockExactly(coded, block.size()).bytes, block);
}

TEST(RleFormat, FramedStreams) {
  const Bytes text = {0x61, 0x62, 0x62, 0x62, 0x62, 0x62, 0x62, 0x63};
  const Bytes framed = {0x08, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00,
                        0x00, 0x61, 0x00, 0x62, 0x05, 0x63};
  EXPECT_EQ(Compress(text), framed);
  EXPECT_EQ(DecompressFramed(framed, text.size()).bytes, text);

  EXPECT_EQ(Compress({}), (Bytes{0x00, 0x00, 0x00, 0x00}));
  const Decoded empty = DecompressFramed({0x00, 0x00, 0x00, 0x00}, 0);
  EXPECT_EQ(empty.result, 0);
}

TEST(RleFormat, BlockBoundaries) {
  // 65533 bytes: one block; 65534: a block of 65533 and one of 1.
  const Bytes one = Compress(Repeat(0x7A, 65533));
  EXPECT_EQ(one,
            (Bytes{0xFD, 0xFF, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x7A, 0x00, 0xFC, 0xFF}));
  const Bytes two = Compress(Repeat(0x7A, 65534));
  EXPECT_EQ(two, (Bytes{0xFE, 0xFF, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x7A, 0x00, 0xFC,
                        0xFF, 0x03, 0x00, 0x00, 0x00, 0x7A}));

  // A stretch crossing the boundary is split, and each part is judged alone:
  // six 7A as 3 + 3 stay literal on both sides, nine as 4 + 5 give two run codes.
  const Bytes belowThreshold = Repeat(0x01, 65530) + Repeat(0x7A, 6) + Repeat(0x02, 2);
  const Bytes splitLiterals = Compress(belowThreshold);
  EXPECT_EQ(splitLiterals,
            (Bytes{0x02, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xF9, 0xFF,
                   0x7A, 0x7A, 0x7A, 0x07, 0x00, 0x00, 0x00, 0x7A, 0x7A, 0x7A, 0x02, 0x02}));
  EXPECT_EQ(DecompressFramed(splitLiterals, belowThreshold.size()).bytes, belowThreshold);

  const Bytes aboveThreshold = Repeat(0x01, 65529) + Repeat(0x7A, 9);
  const Bytes splitRuns = Compress(aboveThreshold);
  EXPECT_EQ(splitRuns,
            (Bytes{0x02, 0x00, 0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xF8,
                   0xFF, 0x00, 0x7A, 0x03, 0x05, 0x00, 0x00, 0x00, 0x00, 0x7A, 0x04}));
  EXPECT_EQ(DecompressFramed(splitRuns, aboveThreshold.size()).bytes, aboveThreshold);
}

TEST(RleFormat, WorstCaseFillsTheBound) {
  // 65534 bytes with no byte equal to the one before: two blocks, the first coded
  // to 65535 bytes (length word FF FF), filling CompressBound(65534) exactly.
  Bytes cycle;
  for (std::size_t i = 0; i < 65534; ++i) cycle.push_back(static_cast<std::uint8_t>(i));
  const Bytes framed = Compress(cycle);
  ASSERT_EQ(framed.size(), CompressBound(65534));
  EXPECT_EQ(framed[4], 0xFF);
  EXPECT_EQ(framed[5], 0xFF);
  EXPECT_EQ(DecompressFramed(framed, cycle.size()).bytes, cycle);
}

TEST(RleFormat, CompressBoundTable) {
  EXPECT_EQ(CompressBound(0), 263u);
  EXPECT_EQ(CompressBound(255), 263u);
  EXPECT_EQ(CompressBound(256), 264u);
  EXPECT_EQ(CompressBound(65533), 65541u);
  EXPECT_EQ(CompressBound(65534), 65546u);
  EXPECT_EQ(CompressBound(131066), 131078u);
  EXPECT_EQ(CompressBound(1000000), 1000068u);
}

}  // namespace

TEST(RleFormat, CountBlockModesReadsTheHeaderOfEachBlock) {
  // First block: every value, so position-list mode; second: one byte, escape mode.
  Bytes data = Ascending(0, 255) + Repeat(0x41, kRleBlockSize - 256) + Bytes{0x42};
  const Bytes framed = Compress(data);
  const Bytes sequence(framed.begin() + 4, framed.end());
  const RleBlockModes modes = CountBlockModes(sequence.data(), sequence.size());
  EXPECT_EQ(modes.positionList, 1u);
  EXPECT_EQ(modes.escape, 1u);
  EXPECT_EQ(modes.Total(), 2u);

  // A length word that runs past the end counts its block and ends the walk; fewer
  // than four bytes left are no block at all.
  const Bytes cut(sequence.begin(), sequence.begin() + 10);
  EXPECT_EQ(CountBlockModes(cut.data(), cut.size()).Total(), 1u);
  EXPECT_EQ(CountBlockModes(sequence.data(), 3).Total(), 0u);
  EXPECT_EQ(CountBlockModes(nullptr, 0).Total(), 0u);
}
