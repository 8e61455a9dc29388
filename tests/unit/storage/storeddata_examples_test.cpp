// The container's worked examples, byte for byte (docs/container-format.md).
#include <gtest/gtest.h>

#include "codec/rlecodec.h"
#include "storage_test_support.h"

namespace {

TEST(StoredDataExamples, MagicWithCountZeroIsAnEmptySet) {
  const Bytes container = {0x53, 0x46, 0x50, 0x31, 0x00, 0x00, 0x00, 0x00};
  const StoredContainer read = ReadContainer(container);
  EXPECT_TRUE(read.compressed);
  EXPECT_TRUE(read.files.empty());
  EXPECT_EQ(WriteContainer(read), container);
}

TEST(StoredDataExamples, EmptyFileRecord) {
  const Bytes record = {0x03, 0x00, 0x00, 0x00, 0x61, 0x2E, 0x62, 0x04,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  TMemoryStream written;
  WriteStoredRecord(written, "a.b", nullptr, 0);
  EXPECT_EQ(Contents(written), record);

  TSpanStream in(record.data(), record.size());
  std::string name;
  TMemoryStream data = StreamOf(Text("stale"));
  ReadStoredRecord(in, true, 0, name, data);
  EXPECT_EQ(name, "a.b");
  EXPECT_EQ(data.Size(), 0);
  EXPECT_EQ(in.Remaining(), 0);
}

TEST(StoredDataExamples, LegacyHelloReadsAndComesBackCompressed) {
  const Bytes legacy = Bytes{0x01, 0x00, 0x00, 0x00} + Bytes{0xDE, 0xAD, 0xBE, 0xEF} +
                       Bytes{0x03, 0x00, 0x00, 0x00, 0x61, 0x2E, 0x62} +
                       Bytes{0x05, 0x00, 0x00, 0x00} + Text("hello");
  const StoredContainer read = ReadContainer(legacy);
  EXPECT_FALSE(read.compressed);
  ASSERT_EQ(read.files.size(), 1u);
  EXPECT_EQ(read.files[0].name, "a.b");
  EXPECT_EQ(Contents(read.files[0].data), Text("hello"));

  const Bytes written_back = {0x53, 0x46, 0x50, 0x31, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00,
                              0x00, 0x61, 0x2E, 0x62, 0x0D, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00,
                              0x00, 0x07, 0x00, 0x00, 0x00, 0x68, 0x65, 0x6C, 0x6C, 0x6F};
  EXPECT_EQ(WriteContainer(read), written_back);
  EXPECT_TRUE(ReadContainer(written_back).compressed);
}

TEST(StoredDataExamples, NoRunFileOfTwoBlocksFillsCompressBoundExactly) {
  Bytes file(65534);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i);
  ASSERT_EQ(CompressBound(file.size()), 65546u);

  TMemoryStream written;
  WriteStoredRecord(written, "x", file.data(), static_cast<std::int32_t>(file.size()));
  const Bytes record = Contents(written);
  ASSERT_EQ(record.size(), 8u + 1u + 65546u);
  EXPECT_EQ(Bytes(record.begin() + 5, record.begin() + 13), Le32(65546) + Le32(65534));
  // Two blocks: 65533 bytes coded to 65535, then the last byte coded to 3.
  EXPECT_EQ(Bytes(record.begin() + 13, record.begin() + 15), (Bytes{0xFF, 0xFF}));
  EXPECT_EQ(Bytes(record.end() - 5, record.end()), (Bytes{0x03, 0x00, 0x00, 0x00, 0xFD}));

  TSpanStream in(record.data(), record.size());
  std::string name;
  TMemoryStream data;
  ReadStoredRecord(in, true, 0, name, data);
  EXPECT_EQ(Contents(data), file);
}

TEST(StoredDataExamples, MagicAlwaysSelectsTheCompressedLayout) {
  // As a legacy count the magic would be 827344467 files; it is never taken as one.
  const Bytes container = kMagicBytes + Le32(1) + Le32(1) + Text("n") + Le32(4) + Le32(0);
  const StoredContainer read = ReadContainer(container);
  EXPECT_TRUE(read.compressed);
  ASSERT_EQ(read.files.size(), 1u);
  EXPECT_EQ(read.files[0].name, "n");
}

TEST(StoredDataExamples, CountOfZeroOrLessReadsNoRecords) {
  for (const std::int32_t count : {0, -1, -2147483647 - 1}) {
    SCOPED_TRACE(count);
    // Whatever follows the header is left alone.
    const Bytes compressed = kMagicBytes + Le32(count) + Text("garbage");
    EXPECT_TRUE(ReadContainer(compressed).files.empty());
    const Bytes legacy = Le32(count) + Le32(7) + Text("garbage");
    const StoredContainer read = ReadContainer(legacy);
    EXPECT_FALSE(read.compressed);
    EXPECT_TRUE(read.files.empty());

    TSpanStream in(compressed.data(), compressed.size());
    EXPECT_EQ(ReadStoredDataHeader(in).count, count);
  }
}

TEST(StoredDataExamples, EmptyNameReadsAndWritesAsEmpty) {
  StoredContainer container;
  AddFile(container, "", Text("data"));
  AddFile(container, "", {});
  const Bytes bytes = WriteContainer(container);
  EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.begin() + 12), Le32(0));
  const StoredContainer read = ReadContainer(bytes);
  ASSERT_EQ(read.files.size(), 2u);
  EXPECT_EQ(read.files[0].name, "");
  EXPECT_EQ(Contents(read.files[0].data), Text("data"));
  EXPECT_EQ(read.files[1].data.Size(), 0);
}

TEST(StoredDataExamples, HeaderWriterWritesMagicAndCount) {
  TMemoryStream out;
  WriteStoredDataHeader(out, 21);
  EXPECT_EQ(Contents(out), kMagicBytes + Le32(21));
}

}  // namespace
