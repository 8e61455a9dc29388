#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "system/FolderListing.h"
#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

// The platform's order is not alphabetical everywhere; the names are compared sorted.
std::vector<std::string> SplitSorted(const std::string& joined) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (!joined.empty()) {
    const std::size_t end = joined.find("\r\n", start);
    names.push_back(joined.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  std::sort(names.begin(), names.end());
  return names;
}

using Names = std::vector<std::string>;

// The value the process's next handle gets. Freed handle slots are reused before
// new ones are taken, so leaked handles push it up. (Wine's handle count is always
// 0; this works there and on Windows.)
HANDLE NextHandleValue() {
  const HANDLE probe = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (probe == nullptr || !CloseHandle(probe)) ADD_FAILURE() << "cannot make a probe handle";
  return probe;
}

class ListNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteWholeFile(scratch / "HV1.chm", "a");
    WriteWholeFile(scratch / "HV2.chm", "b");
    WriteWholeFile(scratch / "readme.txt", "c");
    WriteWholeFile(scratch / "HVhidden.chm", "d");
    ASSERT_TRUE(SetFileAttributesA((scratch / "HVhidden.chm").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryA((scratch / "HVfolder.chm").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((scratch / "HVsecret.chm").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesA((scratch / "HVsecret.chm").c_str(), FILE_ATTRIBUTE_HIDDEN));
  }
  TScratchFolder scratch;
};

TEST_F(ListNamesTest, FilesModeListsEveryFileButNoFolder) {
  const std::string joined = ListNames(scratch.Path(), "HV*.chm", false);
  EXPECT_EQ(SplitSorted(joined), (Names{"HV1.chm", "HV2.chm", "HVhidden.chm"}));
  EXPECT_NE(joined.substr(joined.size() - 2), "\r\n");
  EXPECT_EQ(std::count(joined.begin(), joined.end(), '\n'), 2);
  EXPECT_EQ(std::count(joined.begin(), joined.end(), '\r'), 2);
}

TEST_F(ListNamesTest, FoldersModeListsVisibleFoldersOnly) {
  EXPECT_EQ(ListNames(scratch.Path(), "HV*.chm", true), "HVfolder.chm");
  EXPECT_EQ(SplitSorted(ListNames(scratch.Path(), "*", true)), (Names{"HVfolder.chm"}));
}

TEST_F(ListNamesTest, FolderWithoutTrailingBackslashIsSearchedTheSame) {
  const std::string folder = scratch.Path().substr(0, scratch.Path().size() - 1);
  EXPECT_EQ(SplitSorted(ListNames(folder, "HV*.chm", false)),
            SplitSorted(ListNames(scratch.Path(), "HV*.chm", false)));
}

TEST_F(ListNamesTest, NothingToList) {
  EXPECT_EQ(ListNames("", "*", false), "");
  EXPECT_EQ(ListNames(scratch.Path(), "*.dll", false), "");
  EXPECT_EQ(ListNames(scratch / "missing", "*", false), "");
  EXPECT_EQ(ListNames(scratch.Path(), "readme.txt", true), "");
}

TEST(DirectorySearches, LeaveNoHandleBehind) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "HV1.chm", "a");
  WriteWholeFile(scratch / "halvora.exe", "b");
  const auto runSearches = [&] {
    for (int round = 0; round < 200; ++round) {
      ListNames(scratch.Path(), "HV*.chm", false);
      ListNames(scratch.Path(), "*", true);
      ListNames(scratch.Path(), "*.none", false);
      FirstMatchSize(scratch / "halvora.exe");
      FirstMatchSize(scratch / "missing.exe");
      FirstMatchSize(scratch / "*");  // stops before the listing ends
    }
  };
  runSearches();  // anything the platform sets up once is in place now
  DWORD countBefore = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &countBefore));
  const HANDLE probeBefore = NextHandleValue();
  runSearches();
  DWORD countAfter = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &countAfter));
  EXPECT_LE(countAfter, countBefore);
  EXPECT_LE(reinterpret_cast<UINT_PTR>(NextHandleValue()), reinterpret_cast<UINT_PTR>(probeBefore));
}

}  // namespace
