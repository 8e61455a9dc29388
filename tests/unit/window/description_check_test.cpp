// The start-up check of the stored window description, on buffers: the CRC-32 is
// stored as four little-endian bytes, and any change to either side is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestBytes.h"
#include "installer/DescriptionCheck.h"
#include "storage/Crc32.h"

namespace {

bool Matches(const Bytes& description, const Bytes& crc) {
  return DescriptionMatchesCrc(description.data(), description.size(), crc.data(), crc.size());
}

// One bit at a time, straight from the polynomial: what the table-driven CRC must equal.
std::uint32_t ReferenceCrc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

// A description-like buffer: the header, then a few thousand varied bytes, long
// enough for the eight-byte steps of the CRC and an odd tail.
Bytes SampleDescription() {
  Bytes bytes{'H', 'V', 'W', 'D', 1, 0, 0, 0, 15, 0, 0, 0};
  std::uint32_t state = 12345;
  for (int i = 0; i < 5003; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<std::uint8_t>(state >> 16));
  }
  return bytes;
}

TEST(DescriptionCheck, AcceptsTheCrcStoredLittleEndian) {
  const std::string text = "123456789";  // the CRC-32 check value: 0xCBF43926
  const Bytes bytes(text.begin(), text.end());
  EXPECT_TRUE(Matches(bytes, Le32(0xCBF43926u)));
  EXPECT_FALSE(Matches(bytes, {0xCB, 0xF4, 0x39, 0x26}));  // big-endian is not the stored layout
  EXPECT_TRUE(Matches({}, Le32(0)));                 // CRC-32 of nothing
}

TEST(DescriptionCheck, RefusesEveryFlippedByteOfTheDescriptionOrOfTheCrc) {
  const Bytes description = SampleDescription();
  const Bytes crc = Le32(ReferenceCrc32(description.data(), description.size()));
  ASSERT_TRUE(Matches(description, crc));

  for (std::size_t at = 0; at < description.size(); ++at) {
    Bytes damaged = description;
    damaged[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
    ASSERT_FALSE(Matches(damaged, crc)) << "flipped bit in byte " << at;
  }
  for (std::size_t at = 0; at < crc.size(); ++at) {
    Bytes damaged = crc;
    damaged[at] ^= 0x80;
    EXPECT_FALSE(Matches(description, damaged)) << "flipped CRC byte " << at;
  }
}

TEST(DescriptionCheck, RefusesACutOffDescriptionAndAStoredCrcOfAnotherLength) {
  const Bytes description = SampleDescription();
  const Bytes crc = Le32(ReferenceCrc32(description.data(), description.size()));
  EXPECT_FALSE(Matches(Bytes(description.begin(), description.end() - 1), crc));
  EXPECT_FALSE(Matches(Bytes(description.begin(), description.begin() + 4096), crc));

  Bytes longer = crc;
  longer.push_back(0);
  EXPECT_FALSE(Matches(description, longer));
  EXPECT_FALSE(Matches(description, Bytes(crc.begin(), crc.begin() + 3)));
  EXPECT_FALSE(Matches(description, {}));
}

TEST(DescriptionCheck, TableCrcEqualsTheBitwiseOneAtEveryLengthAndAlignment) {
  const Bytes bytes = SampleDescription();
  for (std::size_t offset = 0; offset < 8; ++offset) {
    for (std::size_t size = 0; size <= 40; ++size) {
      ASSERT_EQ(Crc32(bytes.data() + offset, size), ReferenceCrc32(bytes.data() + offset, size))
          << "offset " << offset << ", size " << size;
    }
  }
  // Continuing a running CRC gives the CRC of the whole.
  const std::uint32_t first = Crc32(bytes.data(), 1001);
  EXPECT_EQ(Crc32(bytes.data() + 1001, bytes.size() - 1001, first), ReferenceCrc32(bytes.data(), bytes.size()));
}

}  // namespace
