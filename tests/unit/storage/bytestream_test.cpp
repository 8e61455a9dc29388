#include <gtest/gtest.h>

#include "base/LittleEndian.h"
#include "storage_test_support.h"

namespace {

TEST(MemoryStream, WritesGrowAndReadsComeBack) {
  TMemoryStream stream;
  const Bytes first = MixedBytes(1000, 1);
  for (std::size_t i = 0; i < first.size(); i += 7) {
    stream.Write(first.data() + i, std::min<std::size_t>(7, first.size() - i));
  }
  EXPECT_EQ(stream.Size(), 1000);
  EXPECT_EQ(stream.Position(), 1000);
  EXPECT_EQ(Contents(stream), first);

  // Overwriting in the middle keeps the size; writing past the end extends it.
  stream.Seek(998);
  stream.Write("abcd", 4);
  EXPECT_EQ(stream.Size(), 1002);
  EXPECT_EQ(stream.Data()[997], first[997]);
  EXPECT_EQ(stream.Data()[1001], 'd');
}

TEST(MemoryStream, PlainReadDeliversWhatIsLeftAndExactReadFails) {
  TMemoryStream stream = StreamOf(Text("hello"));
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 3), 3u);
  EXPECT_EQ(stream.Remaining(), 2);
  EXPECT_EQ(stream.Read(buffer, 8), 2u);
  EXPECT_EQ(std::string(buffer, 2), "lo");
  EXPECT_EQ(stream.Read(buffer, 8), 0u);

  stream.Seek(2);
  EXPECT_THROW(stream.ReadBuffer(buffer, 4), EReadError);
  stream.Seek(2);
  stream.ReadBuffer(buffer, 3);
  EXPECT_EQ(std::string(buffer, 3), "llo");
}

TEST(MemoryStream, SetSizeKeepsLeadingBytesAndClampsPosition) {
  TMemoryStream stream = StreamOf(Text("abcdef"));
  stream.Seek(6);
  stream.SetSize(3);
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_EQ(Contents(stream), Text("abc"));
  stream.SetSize(100000);
  EXPECT_EQ(stream.Size(), 100000);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Data()), 3), "abc");
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(MemoryStream, MovingHandsOverTheBuffer) {
  TMemoryStream source = StreamOf(Text("xyz"));
  TMemoryStream target(std::move(source));
  EXPECT_EQ(Contents(target), Text("xyz"));
  EXPECT_EQ(source.Size(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
  TMemoryStream other = StreamOf(Text("q"));
  other = std::move(target);
  EXPECT_EQ(Contents(other), Text("xyz"));
}

TEST(Streams, SeekOutsideTheBytesIsRefused) {
  TMemoryStream memory = StreamOf(Text("abc"));
  EXPECT_THROW(memory.Seek(4), EStreamError);
  EXPECT_THROW(memory.Seek(-1), EStreamError);
  memory.Seek(3);
  EXPECT_EQ(memory.Remaining(), 0);

  const Bytes bytes = Text("abc");
  TSpanStream span(bytes.data(), bytes.size());
  EXPECT_THROW(span.Seek(4), EStreamError);
  EXPECT_THROW(span.Seek(-1), EStreamError);
}

TEST(SpanStream, LendsBytesInPlaceOnlyWhenAllArePresent) {
  const Bytes bytes = Text("abcdef");
  TSpanStream span(bytes.data(), bytes.size());
  span.Seek(1);
  EXPECT_EQ(span.Lend(6), nullptr);
  EXPECT_EQ(span.Position(), 1);
  EXPECT_EQ(span.Lend(3), bytes.data() + 1);
  EXPECT_EQ(span.Position(), 4);
  EXPECT_EQ(span.Current(), bytes.data() + 4);
  EXPECT_THROW(span.Write("x", 1), EWriteError);

  TSpanStream empty(nullptr, 0);
  char c = 0;
  EXPECT_EQ(empty.Read(&c, 1), 0u);
  EXPECT_THROW(empty.ReadBuffer(&c, 1), EReadError);
}

TEST(Streams, LittleEndianHelpers) {
  TMemoryStream stream;
  stream.WriteInt32(-2);
  stream.WriteInt32(0x12345678);
  std::uint8_t word[2];
  StoreLe16(word, 0xBEEF);
  stream.Write(word, sizeof word);
  EXPECT_EQ(Contents(stream), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xEF, 0xBE}));
  stream.Seek(0);
  EXPECT_EQ(stream.ReadInt32(), -2);
  EXPECT_EQ(stream.ReadInt32(), 0x12345678);
  EXPECT_EQ(LoadLe16(stream.Lend(2)), 0xBEEF);
  EXPECT_THROW(stream.ReadInt32(), EReadError);
}

class FileStreamTest : public ::testing::Test {
 protected:
  const TScratchFolder folder_;
  const std::string path_ = folder_ / "stream.bin";
};

TEST_F(FileStreamTest, WritesThenReadsBackWithSizeAndSeek) {
  const Bytes bytes = MixedBytes(70000, 3);
  {
    TFileStream out(path_, TFileStream::Mode::Create);
    out.Write(bytes.data(), bytes.size());
    EXPECT_EQ(out.Size(), 70000);
    out.Close();
  }
  TFileStream in(path_, TFileStream::Mode::Read);
  EXPECT_EQ(in.Size(), 70000);
  EXPECT_EQ(in.Lend(1), nullptr);  // a file has nothing in memory to lend
  in.Seek(69990);
  EXPECT_EQ(in.Remaining(), 10);
  Bytes tail(20);
  EXPECT_EQ(in.Read(tail.data(), tail.size()), 10u);
  EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 10, bytes.end() - 10));
  EXPECT_THROW(in.Seek(70001), EStreamError);
  EXPECT_THROW(in.Write("x", 1), EWriteError);
}

TEST_F(FileStreamTest, MissingFileNamesThePath) {
  try {
    TFileStream in(path_ + ".missing", TFileStream::Mode::Read);
    FAIL() << "opened a missing file";
  } catch (const EStreamError& error) {
    EXPECT_NE(std::string(error.what()).find(path_ + ".missing"), std::string::npos);
  }
}

}  // namespace
