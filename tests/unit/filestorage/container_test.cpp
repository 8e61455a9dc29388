#include <gtest/gtest.h>

#include <string>

#include "StoredSetFixture.h"
#include "storage/StoredData.h"

namespace {

std::string Bytes(const TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Data()),
                     static_cast<std::size_t>(stream.Size()));
}

TEST(StoredDataOfASet, ReadsEveryFileInOrder) {
  TEventRecorder window;
  TFileStorage* set = window.NewSet();
  LoadFiles(*set, {{"Type0008.md3", std::string(3000, 'x')}, {"empty.txt", ""}, {"a.b", "hello"}});

  EXPECT_TRUE(set->Compressed());
  EXPECT_EQ(set->Count(), 3);
  ASSERT_EQ(set->Files().size(), 3u);
  EXPECT_EQ(set->Files()[0]->Name(), "Type0008.md3");
  EXPECT_EQ(set->Files()[0]->Size(), 3000);
  EXPECT_EQ(set->Files()[1]->Size(), 0);
  EXPECT_EQ(Bytes(set->Files()[2]->Data()), "hello");
  EXPECT_EQ(set->Files()[2]->Owner(), set);
  EXPECT_EQ(set->DataSize(), 3005);
}

TEST(StoredDataOfASet, CountAndDataSizeCannotBeAssigned) {
  TEventRecorder window;
  TFileStorage* set = window.NewSet();
  LoadFiles(*set, {{"a.b", "hello"}});
  set->SetCount(7);
  set->SetDataSize(7);
  EXPECT_EQ(set->Count(), 1);
  EXPECT_EQ(set->DataSize(), 5);
}

TEST(StoredDataOfASet, WritesBackTheSameBytes) {
  TEventRecorder window;
  TFileStorage* set = window.NewSet();
  const std::string container =
      MakeContainer({{"one.dll", std::string(70000, 'a')}, {"two", "xyz"}});
  TSpanStream in(container.data(), container.size());
  set->ReadStoredData(in);
  TMemoryStream out;
  set->WriteStoredData(out);
  EXPECT_EQ(Bytes(out), container);
}

TEST(StoredDataOfASet, LegacyContainerIsWrittenBackCompressed) {
  const std::string legacy(
      "\x01\x00\x00\x00"
      "ABCD"
      "\x03\x00\x00\x00"
      "a.b"
      "\x05\x00\x00\x00"
      "hello",
      24);
  const std::string compressed(
      "SFP1"
      "\x01\x00\x00\x00"
      "\x03\x00\x00\x00"
      "a.b"
      "\x0D\x00\x00\x00"
      "\x05\x00\x00\x00"
      "\x07\x00\x00\x00"
      "hello",
      32);
  TEventRecorder window;
  TFileStorage* set = window.NewSet();
  TSpanStream in(legacy.data(), legacy.size());
  set->ReadStoredData(in);
  EXPECT_FALSE(set->Compressed());
  ASSERT_EQ(set->Files().size(), 1u);
  EXPECT_EQ(Bytes(set->Files()[0]->Data()), "hello");
  TMemoryStream out;
  set->WriteStoredData(out);
  EXPECT_EQ(Bytes(out), compressed);
}

TEST(StoredDataOfASet, CountBeyondTheRecordsStaysWithinTheFilesRead) {
  std::string container = MakeContainer({{"a.b", "hello"}});
  container[4] = 3;  // claims three files, holds one
  TEventRecorder window;
  TFileStorage* set = window.NewSet();
  TSpanStream in(container.data(), container.size());
  EXPECT_THROW(set->ReadStoredData(in), std::exception);
  EXPECT_EQ(set->DataSize(), 5);

  // What is written back can be read again.
  TMemoryStream out;
  set->WriteStoredData(out);
  out.Seek(0);
  TFileStorage copy(nullptr);
  copy.ReadStoredData(out);
  EXPECT_EQ(copy.Count(), 1);
}

TEST(StoredFileWithoutSet, ReadsTheCompressedLayout) {
  const std::string container = MakeContainer({{"a.b", "hello"}});
  TSpanStream in(container.data() + 8, container.size() - 8);
  TStoredFile file(nullptr);
  file.ReadRecord(in);
  EXPECT_EQ(file.Name(), "a.b");
  EXPECT_EQ(Bytes(file.Data()), "hello");
}

}  // namespace
