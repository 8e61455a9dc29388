// Malformed and truncated containers: each fault is reported with the record it is
// in, and no stated size is believed beyond the bytes that are present.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace {

using ::testing::HasSubstr;

const Bytes kHelloBlocks = {0x07, 0x00, 0x00, 0x00, 0x68, 0x65, 0x6C, 0x6C, 0x6F};  // "hello"
constexpr std::int32_t kHuge = 2147483647;

Bytes CompressedContainer(std::int32_t count, const Bytes& records) {
  return kMagicBytes + Le32(count) + records;
}

// A well-formed record named a.b holding "hello", and its pieces for mutation.
Bytes HelloRecord(std::int32_t stored = 13, std::int32_t size = 5,
                  const Bytes& blocks = kHelloBlocks) {
  return Le32(3) + Text("a.b") + Le32(stored) + Le32(size) + blocks;
}

std::string ReadError(const Bytes& container) {
  try {
    ReadContainer(container);
  } catch (const EStoredDataError& error) {
    return error.what();
  }
  return "no EStoredDataError";
}

TEST(StoredDataMalformed, CutShortAnywhereNamesTheRecordAndTheField) {
  const Bytes whole = CompressedContainer(2, HelloRecord() + HelloRecord());
  ASSERT_EQ(ReadContainer(whole).files.size(), 2u);
  // Every proper prefix fails with EStoredDataError; none reads past its end.
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    SCOPED_TRACE(length);
    EXPECT_THROW(ReadContainer(prefix), EStoredDataError);
  }
  EXPECT_THAT(ReadError(Bytes(whole.begin(), whole.begin() + 5)), HasSubstr("header cut short"));
  EXPECT_EQ(ReadError(Bytes(whole.begin(), whole.begin() + 10)),
            "record 0: record cut short in its name length (2 of 4 bytes present)");
  EXPECT_EQ(ReadError(Bytes(whole.begin(), whole.begin() + 13)),
            "record 0: record cut short in its name (3 bytes stated, 1 present)");
  EXPECT_EQ(ReadError(Bytes(whole.begin(), whole.begin() + 17)),
            "record 0 \"a.b\": record cut short in its stored length (2 of 4 bytes present)");
  EXPECT_EQ(ReadError(Bytes(whole.begin(), whole.end() - 1)),
            "record 1 \"a.b\": record cut short in its stored bytes (13 bytes stated, 12 present)");
}

TEST(StoredDataMalformed, CountLargerThanTheRecordsPresent) {
  EXPECT_EQ(ReadError(CompressedContainer(3, HelloRecord() + HelloRecord())),
            "record 2: the container ends before this record (the count is larger than the records "
            "present)");
  // A count near the limit fails at the first missing record, having set nothing aside.
  EXPECT_THAT(ReadError(CompressedContainer(kHuge, {})), HasSubstr("record 0: the container ends"));
}

TEST(StoredDataMalformed, NegativeAndLyingLengths) {
  EXPECT_EQ(ReadError(CompressedContainer(1, Le32(-1))), "record 0: name length -1 is negative");
  EXPECT_EQ(ReadError(CompressedContainer(1, Le32(kHuge) + Text("abcdefgh"))),
            "record 0: record cut short in its name (2147483647 bytes stated, 8 present)");
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(3))),
            "record 0 \"a.b\": stored length 3 is below 4");
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(-13))),
            "record 0 \"a.b\": stored length -13 is below 4");
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(kHuge))),
            "record 0 \"a.b\": record cut short in its stored bytes (2147483647 bytes stated, 13 "
            "present)");
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(13, -5))),
            "record 0 \"a.b\": size -5 is negative");
}

TEST(StoredDataMalformed, LyingSizeInATwentyByteContainerFailsBeforeAllocating) {
  // 20 bytes: header, empty name, S = 4, N = 2^31-1 and no block. Allocating first
  // would take 2 GB (and fail on the 32-bit build) before finding out.
  const Bytes container = CompressedContainer(1, Le32(0) + Le32(4) + Le32(kHuge));
  ASSERT_EQ(container.size(), 20u);
  EXPECT_EQ(ReadError(container),
            "record 0 \"\": size 2147483647 is more than its 0 blocks can hold");
  // One real block cannot stand for more than one block's worth either.
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(13, kHuge))),
            "record 0 \"a.b\": size 2147483647 is more than its 1 blocks can hold");
}

TEST(StoredDataMalformed, BlockSequenceThatDoesNotDecodeToTheSize) {
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(13, 6))),
            "record 0 \"a.b\": block sequence decodes to 5 bytes, not 6");
  EXPECT_THAT(ReadError(CompressedContainer(1, HelloRecord(13, 4))),
              HasSubstr("record 0 \"a.b\": block sequence does not decode: "));
  // A length word promising more than the sequence holds.
  const Bytes long_word = {0x08, 0x00, 0x00, 0x00, 0x68, 0x65, 0x6C, 0x6C, 0x6F};
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(13, 5, long_word))),
            "record 0 \"a.b\": block length 8 at offset 0 runs past the end of the block sequence");
  // A lone byte where the next length word should be.
  const Bytes stray = kHelloBlocks + Bytes{0x01};
  EXPECT_EQ(ReadError(CompressedContainer(1, HelloRecord(14, 5, stray))),
            "record 0 \"a.b\": block sequence cut short in a length word at offset 9");
  // Position-list header pointing past its block.
  const Bytes bad_header = {0x05, 0x00, 0x00, 0x10, 0x61, 0x62, 0x63};
  EXPECT_THAT(ReadError(CompressedContainer(1, HelloRecord(11, 3, bad_header))),
              HasSubstr("block sequence does not decode"));
}

TEST(StoredDataMalformed, FailedReadLeavesTheContainerAsItWas) {
  StoredContainer container;
  AddFile(container, "kept", Text("bytes"));
  const Bytes bad = CompressedContainer(2, HelloRecord());
  TSpanStream in(bad.data(), bad.size());
  EXPECT_THROW(container.Read(in), EStoredDataError);
  ASSERT_EQ(container.files.size(), 1u);
  EXPECT_EQ(container.files[0].name, "kept");
}

TEST(StoredDataMalformed, ShortLegacyRecordFailsWithTheStreamReadError) {
  const Bytes legacy = Le32(1) + Le32(0) + Le32(3) + Text("a.b") + Le32(6) + Text("hello");
  EXPECT_THROW(ReadContainer(legacy), EReadError);
  // A lying legacy size is refused the same way, before any buffer is sized for it.
  const Bytes lying = Le32(1) + Le32(0) + Le32(0) + Le32(kHuge) + Text("hi");
  try {
    ReadContainer(lying);
    FAIL() << "read a legacy record of 2 GB from 2 bytes";
  } catch (const EReadError& error) {
    EXPECT_STREQ(error.what(),
                 "record 0 \"\": stream read error: file data cut short (2147483647 bytes stated, "
                 "2 present)");
  }
  EXPECT_EQ(ReadError(Le32(1) + Le32(0) + Le32(0) + Le32(-1)),
            "record 0 \"\": size -1 is negative");
  EXPECT_EQ(ReadError(Le32(2) + Le32(0) + Le32(0) + Le32(0)),
            "record 1: the container ends before this record (the count is larger than the records "
            "present)");
}

}  // namespace
