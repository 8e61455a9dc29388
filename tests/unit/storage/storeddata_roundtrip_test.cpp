#include <gtest/gtest.h>

#include "storage_test_support.h"

namespace {

StoredContainer SampleContainer() {
  StoredContainer container;
  // Sizes around the block edges, an empty file and one of several blocks.
  const std::size_t sizes[] = {0, 1, 255, 65533, 65534, 3 * 65533 + 17};
  std::uint32_t seed = 1;
  for (const std::size_t size : sizes) {
    AddFile(container, "file" + std::to_string(seed) + ".bin", MixedBytes(size, seed));
    ++seed;
  }
  Bytes runs(200000, 0x7A);  // one long run per block
  AddFile(container, "runs.dat", runs);
  return container;
}

void ExpectSameFiles(const StoredContainer& expected, const StoredContainer& actual) {
  ASSERT_EQ(expected.files.size(), actual.files.size());
  for (std::size_t i = 0; i < expected.files.size(); ++i) {
    EXPECT_EQ(expected.files[i].name, actual.files[i].name);
    EXPECT_EQ(Contents(expected.files[i].data), Contents(actual.files[i].data))
        << expected.files[i].name;
  }
}

TEST(StoredDataRoundTrip, WrittenContainerReadsBackAndWritesIdentically) {
  const StoredContainer original = SampleContainer();
  const Bytes written = WriteContainer(original);
  const StoredContainer read = ReadContainer(written);
  EXPECT_TRUE(read.compressed);
  ExpectSameFiles(original, read);
  EXPECT_EQ(WriteContainer(read), written);
}

TEST(StoredDataRoundTrip, RecordsAreBackToBackWithTheirStoredLengths) {
  const StoredContainer original = SampleContainer();
  const Bytes written = WriteContainer(original);
  std::size_t offset = 8;
  for (const StoredEntry& file : original.files) {
    TSpanStream at(written.data() + offset, written.size() - offset);
    const std::int32_t name_length = at.ReadInt32();
    at.Seek(4 + name_length);
    const std::int32_t stored = at.ReadInt32();
    EXPECT_EQ(at.ReadInt32(), file.data.Size());
    offset += 8 + static_cast<std::size_t>(name_length) + static_cast<std::size_t>(stored);
  }
  EXPECT_EQ(offset, written.size());  // nothing follows the last record
}

TEST(StoredDataRoundTrip, FileStreamReadsTheSameAsInPlace) {
  // A file stream cannot lend its bytes, so this takes the scratch-area path.
  const Bytes written = WriteContainer(SampleContainer());
  const TScratchFolder folder;
  const std::string path = folder / "roundtrip.sfp";
  {
    TFileStream out(path, TFileStream::Mode::Create);
    out.Write(written.data(), written.size());
    out.Close();
  }
  StoredContainer from_file;
  {
    TFileStream in(path, TFileStream::Mode::Read);
    from_file.Read(in);
  }
  ExpectSameFiles(ReadContainer(written), from_file);

  TMemoryStream memory = StreamOf(written);
  StoredContainer from_memory;
  from_memory.Read(memory);
  EXPECT_EQ(memory.Remaining(), 0);
  ExpectSameFiles(from_file, from_memory);
}

TEST(StoredDataRoundTrip, RecordReaderStopsAtItsRecordEnd) {
  // The set's own reader calls the record reader in a loop over one stream.
  const StoredContainer original = SampleContainer();
  const Bytes written = WriteContainer(original);
  TSpanStream in(written.data(), written.size());
  const StoredDataHeader header = ReadStoredDataHeader(in);
  ASSERT_TRUE(header.compressed);
  ASSERT_EQ(header.count, static_cast<std::int32_t>(original.files.size()));
  for (int index = 0; index < header.count; ++index) {
    std::string name;
    TMemoryStream data;
    ReadStoredRecord(in, true, index, name, data);
    EXPECT_EQ(name, original.files[static_cast<std::size_t>(index)].name);
  }
  EXPECT_EQ(in.Remaining(), 0);
}

}  // namespace
