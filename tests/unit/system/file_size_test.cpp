#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "system/FileSize.h"
#include "system/FolderListing.h"
#include "system/Handles.h"
#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

constexpr std::int32_t kLargest32 = std::numeric_limits<std::int32_t>::max();

// A file that claims size bytes without occupying them (a sparse file on the host).
bool MakeLargeFile(const std::string& path, std::int64_t size) {
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER distance;
  distance.QuadPart = size;
  return SetFilePointerEx(file.Get(), distance, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

TEST(FileSizeByName, MeasuresWhatCanBeOpened) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "empty.bin", "");
  WriteWholeFile(scratch / "five.bin", "hello");
  EXPECT_EQ(FileSizeByName(scratch / "missing.bin"), -1);
  EXPECT_EQ(FileSizeByName(scratch / "empty.bin"), 0);
  EXPECT_EQ(FileSizeByName(scratch / "five.bin"), 5);
}

TEST(FileSizeByName, WorksWhileAnotherWriterHoldsTheFile) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "busy.bin", "abc");
  const TFileHandle writer(CreateFileA((scratch / "busy.bin").c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer.Valid());
  EXPECT_EQ(FileSizeByName(scratch / "busy.bin"), 3);
}

TEST(FileSizeByHandle, ReadsBothHalves) {
  const TScratchFolder scratch;
  const std::int64_t size = 0x100000005LL;  // 4 GB + 5
  ASSERT_TRUE(MakeLargeFile(scratch / "large.bin", size));
  EXPECT_EQ(FileSizeByName(scratch / "large.bin"), size);
  EXPECT_EQ(FileSizeByHandle(INVALID_HANDLE_VALUE), -1);
}

TEST(SaturatedSize32, LargeSizesStopAtTheLargestValue) {
  EXPECT_EQ(SaturatedSize32(0, 0), 0);
  EXPECT_EQ(SaturatedSize32(0, 5050000), 5050000);
  EXPECT_EQ(SaturatedSize32(0, 0x7FFFFFFF), kLargest32);
  EXPECT_EQ(SaturatedSize32(0, 0x80000000), kLargest32);
  EXPECT_EQ(SaturatedSize32(0, 0xFFFFFFFF), kLargest32);
  EXPECT_EQ(SaturatedSize32(1, 0), kLargest32);
  EXPECT_EQ(SaturatedSize32(1, 5), kLargest32);
}

TEST(FirstMatchSize, SizeOfTheFirstMatch) {
  const TScratchFolder scratch;
  EXPECT_EQ(FirstMatchSize(scratch / "halvora.exe"), -1);
  EXPECT_EQ(FirstMatchSize(scratch / "*.exe"), -1);

  WriteWholeFile(scratch / "HALVORA.EXE", "1234567");
  EXPECT_EQ(FirstMatchSize(scratch / "halvora.exe"), 7);
  EXPECT_EQ(FirstMatchSize(scratch / "*.exe"), 7);

  // Nothing is filtered out: hidden files and folders match too.
  ASSERT_TRUE(SetFileAttributesA((scratch / "HALVORA.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(FirstMatchSize(scratch / "halvora.exe"), 7);
  ASSERT_TRUE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));
  EXPECT_EQ(FirstMatchSize(scratch / "sub"), 0);
}

TEST(FirstMatchSize, EntriesOfTwoGigabytesAndMoreSaturate) {
  const TScratchFolder scratch;
  ASSERT_TRUE(MakeLargeFile(scratch / "two.bin", 0x80000000LL));
  ASSERT_TRUE(MakeLargeFile(scratch / "four.bin", 0x100000000LL));
  ASSERT_TRUE(MakeLargeFile(scratch / "below.bin", 0x7FFFFFFELL));
  EXPECT_EQ(FirstMatchSize(scratch / "two.bin"), kLargest32);
  EXPECT_EQ(FirstMatchSize(scratch / "four.bin"), kLargest32);
  EXPECT_EQ(FirstMatchSize(scratch / "below.bin"), 0x7FFFFFFE);
}

}  // namespace
