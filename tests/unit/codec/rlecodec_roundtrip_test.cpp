// Generated inputs: the encoder agrees with a plain byte-by-byte encoder written
// from the format note, and every stream decodes back to its input.
#include <gtest/gtest.h>

#include <algorithm>

#include "codec_test_support.h"

namespace {

// Reference encoder: the format note's steps, one byte at a time.
Bytes ReferenceEncode(const Bytes& block) {
  bool present[256] = {};
  for (const std::uint8_t byte : block) present[byte] = true;
  const auto* const absent = std::find(present, present + 256, false);
  const bool escapeMode = absent != present + 256;
  const auto escape = static_cast<std::uint8_t>(absent - present);
  const std::size_t threshold = escapeMode ? 4 : 5;

  Bytes out = {0, 0};
  std::vector<std::size_t> countOffsets;
  for (std::size_t p = 0; p < block.size();) {
    std::size_t length = 1;
    while (p + length < block.size() && block[p + length] == block[p]) ++length;
    if (length < threshold) {
      out.insert(out.end(), block.begin() + static_cast<std::ptrdiff_t>(p),
                 block.begin() + static_cast<std::ptrdiff_t>(p + length));
    } else {
      if (escapeMode) out.push_back(escape);
      out.push_back(block[p]);
      countOffsets.push_back(out.size());
      if (length - 1 <= 255) {
        out.push_back(static_cast<std::uint8_t>(length - 1));
      } else {
        out.insert(out.end(), {0, static_cast<std::uint8_t>(length - 1),
                               static_cast<std::uint8_t>((length - 1) >> 8)});
      }
    }
    p += length;
  }
  const std::size_t header = escapeMode ? escape : out.size();
  StoreLe16(out.data(), header);
  if (!escapeMode) {
    for (auto it = countOffsets.rbegin(); it != countOffsets.rend(); ++it) {
      out.insert(out.end(), {static_cast<std::uint8_t>(*it), static_cast<std::uint8_t>(*it >> 8)});
    }
  }
  return out;
}

// Literal stretches and runs of lengths around both thresholds and both count
// widths; `maxValue` below 255 keeps most blocks in escape mode.
Bytes RunRichBytes(DeterministicRandom& random, std::size_t size, unsigned maxValue) {
  static constexpr std::size_t kRunLengths[] = {1, 2, 3, 4, 5, 6, 255, 256, 257, 258, 1000};
  Bytes bytes;
  while (bytes.size() < size) {
    const Bytes literals = RandomBytes(random, random.Between(0, 40), maxValue);
    bytes.insert(bytes.end(), literals.begin(), literals.end());
    bytes.resize(bytes.size() + kRunLengths[random.Below(std::size(kRunLengths))],
                 static_cast<std::uint8_t>(random.Between(0, maxValue)));
  }
  bytes.resize(size);
  return bytes;
}

void ExpectRoundTrip(const Bytes& data) {
  const Bytes framed = Compress(data);
  ASSERT_LE(framed.size(),
            4 + data.size() + 4 * ((data.size() + kRleBlockSize - 1) / kRleBlockSize));
  const Decoded decoded = DecompressFramed(framed, data.size());
  ASSERT_EQ(decoded.result, static_cast<std::ptrdiff_t>(data.size()));
  ASSERT_EQ(decoded.bytes, data);
  if (!data.empty()) {  // one byte short of room must be refused, not overrun
    ASSERT_EQ(DecompressFramed(framed, data.size() - 1).result, kRleOverrun);
  }
}

TEST(RleRoundTrip, EncoderMatchesReference) {
  DeterministicRandom random(1);
  for (int i = 0; i < 400; ++i) {
    const unsigned maxValue = i % 2 ? 255 : 1 + static_cast<unsigned>(i % 64);
    const std::size_t size = random.Between(1, 3000);
    const Bytes block =
        i % 4 < 2 ? RunRichBytes(random, size, maxValue) : RandomBytes(random, size, maxValue);
    ASSERT_EQ(Encode(block), ReferenceEncode(block)) << "case " << i;
  }
}

TEST(RleRoundTrip, RunLengthsAroundThresholdsInBothModes) {
  const Bytes all = Ascending(0x00, 0xFF);
  const Bytes few = {0x10, 0x20};
  const std::uint8_t kRunValues[] = {0x00, 0x20, 0xFF};
  for (const std::size_t length : {1, 2, 3, 4, 5, 6, 7, 254, 255, 256, 257, 258, 65000}) {
    for (const Bytes& around : {few, all}) {
      for (const std::uint8_t value : kRunValues) {
        const Bytes block = around + Repeat(value, length) + around;
        ASSERT_EQ(Encode(block), ReferenceEncode(block)) << length;
        ExpectRoundTrip(block);
      }
    }
  }
}

TEST(RleRoundTrip, RunsCrossingBlockBoundaries) {
  DeterministicRandom random(2);
  for (const std::size_t runLength : {2, 4, 5, 8, 9, 10, 300, 70000}) {
    for (std::size_t before = 0; before <= 6; ++before) {
      const std::size_t start = kRleBlockSize - runLength / 2 - before;
      for (const unsigned maxValue : {50u, 255u}) {
        const Bytes data = RandomBytes(random, start, maxValue) + Repeat(0x7A, runLength) +
                           RandomBytes(random, 100, maxValue);
        ExpectRoundTrip(data);
      }
    }
  }
}

TEST(RleRoundTrip, GeneratedStreams) {
  DeterministicRandom random(3);
  for (const std::size_t size :
       {0u, 1u, 2u, 3u, 4u, 5u, 255u, 256u, 65532u, 65533u, 65534u, 131066u, 131067u, 300000u}) {
    ExpectRoundTrip(RandomBytes(random, size));
    ExpectRoundTrip(RandomBytes(random, size, 200));
    ExpectRoundTrip(RunRichBytes(random, size, 255));
    ExpectRoundTrip(RunRichBytes(random, size, 30));
  }
}

TEST(RleRoundTrip, EveryEscapeValueAsCountByte) {
  // Values 00..E-1 present makes E the escape value; a run of E + 1 has count E.
  for (unsigned escape = 3; escape <= 0xFE; ++escape) {
    const Bytes block = Ascending(0, escape - 1) + Repeat(0xFF, escape + 1);
    const Bytes coded = Encode(block);
    ASSERT_EQ(coded[0], escape);
    ASSERT_EQ(coded.back(), escape);
    ASSERT_EQ(DecodeBlockExactly(coded, block.size()).bytes, block);
  }
}

}  // namespace
