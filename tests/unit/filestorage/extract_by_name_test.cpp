#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoredSetFixture.h"
#include "system/Handles.h"
#include "system/SpecialFolders.h"
#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

class ExtractByNameTest : public StoredSetTest {
 protected:
  ExtractByNameTest()
      : StoredSetTest({{"NkdPTP.dll", "ptp library"},
                       {"empty.dat", ""},
                       {"NkdPTP.dll", "second of the name"}}) {}
};

TEST_F(ExtractByNameTest, WritesTheFirstFileOfThatNameWithBothEvents) {
  const std::string target = scratch / "NkdPTP.dll";
  EXPECT_TRUE(set->ExtractByName("NkdPTP.dll", target));
  EXPECT_EQ(ReadInputText(target), "ptp library");

  ASSERT_EQ(window.extracts.size(), 1u);
  EXPECT_EQ(window.extracts[0].sender, &window);
  EXPECT_EQ(window.extracts[0].fileName, target);
  EXPECT_EQ(window.extracts[0].fileSize, 11);
  ASSERT_EQ(window.extracteds.size(), 1u);
  EXPECT_EQ(window.extracteds[0].sender, &window);
  EXPECT_EQ(window.extracteds[0].fileName, target);
  EXPECT_EQ(window.extracteds[0].fileSize, 11);
  EXPECT_TRUE(window.extracteds[0].result);
  EXPECT_TRUE(set->RemoveList().empty());
}

TEST_F(ExtractByNameTest, OverwritesAnExistingFileCompletely) {
  WriteWholeFile(scratch / "NkdPTP.dll", std::string(5000, 'o'));
  EXPECT_TRUE(set->ExtractByName("NkdPTP.dll", scratch / "NkdPTP.dll"));
  EXPECT_EQ(ReadInputText(scratch / "NkdPTP.dll"), "ptp library");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"NkdPTP.dll"}));
}

TEST_F(ExtractByNameTest, VetoCountsAsDoneButWritesNothing) {
  window.veto = true;
  set->AutoExtract().SetRemoveOnTerminate(true);
  EXPECT_TRUE(set->ExtractByName("NkdPTP.dll", scratch / "NkdPTP.dll"));
  EXPECT_EQ(window.extracts.size(), 1u);
  EXPECT_TRUE(window.extracteds.empty());
  EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
  EXPECT_TRUE(set->RemoveList().empty());
}

TEST_F(ExtractByNameTest, UnknownOrCaseDifferentNameFindsNothing) {
  EXPECT_FALSE(set->ExtractByName("nkdptp.dll", scratch / "x.dll"));
  EXPECT_FALSE(set->ExtractByName("NKDPTP.DLL", scratch / "x.dll"));
  EXPECT_FALSE(set->ExtractByName("NkdPTP", scratch / "x.dll"));
  EXPECT_FALSE(set->ExtractByName("", scratch / "x.dll"));
  EXPECT_TRUE(window.extracts.empty());
  EXPECT_TRUE(window.extracteds.empty());
  EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
}

TEST_F(ExtractByNameTest, EmptyStoredFileBecomesAnEmptyFile) {
  EXPECT_TRUE(set->ExtractByName("empty.dat", scratch / "empty.dat"));
  EXPECT_EQ(ReadInputText(scratch / "empty.dat"), "");
  ASSERT_EQ(window.extracteds.size(), 1u);
  EXPECT_EQ(window.extracteds[0].fileSize, 0);
  EXPECT_TRUE(window.extracteds[0].result);
}

TEST_F(ExtractByNameTest, MissingFolderNeedsCreatePath) {
  const std::string target = scratch / "Plugins\\Nikon\\NkdPTP.dll";
  set->AutoExtract().ExtractTo().SetCreatePath(false);
  EXPECT_FALSE(set->ExtractByName("NkdPTP.dll", target));
  ASSERT_EQ(window.extracteds.size(), 1u);
  EXPECT_FALSE(window.extracteds[0].result);
  EXPECT_TRUE(FolderEntries(scratch.Path()).empty());

  set->AutoExtract().ExtractTo().SetCreatePath(true);
  EXPECT_TRUE(set->ExtractByName("NkdPTP.dll", target));
  EXPECT_EQ(ReadInputText(target), "ptp library");
  ASSERT_EQ(window.extracteds.size(), 2u);
  EXPECT_TRUE(window.extracteds[1].result);
}

TEST_F(ExtractByNameTest, LockedTargetKeepsItsContent) {
  const std::string target = scratch / "NkdPTP.dll";
  WriteWholeFile(target, "old library");
  set->AutoExtract().SetRemoveOnTerminate(true);
  {
    const TFileHandle lock(CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock.Valid());
    EXPECT_FALSE(set->ExtractByName("NkdPTP.dll", target));
  }
  EXPECT_EQ(ReadInputText(target), "old library");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"NkdPTP.dll"}));
  ASSERT_EQ(window.extracteds.size(), 1u);
  EXPECT_FALSE(window.extracteds[0].result);
  EXPECT_TRUE(set->RemoveList().empty());
}

TEST_F(ExtractByNameTest, EmptyPathWritesIntoTheProgramsFolder) {
  TFileStorage* own = window.NewSet();
  const std::string name = "hvtest-" + std::to_string(GetCurrentProcessId()) + ".dat";
  LoadFiles(*own, {{name, "next to the program"}});
  const std::string expected = ExecutableFolder() + name;
  const bool written = own->ExtractByName(name, "");
  const std::string content = written ? ReadInputText(expected) : std::string();
  DeleteFileA(expected.c_str());
  EXPECT_TRUE(written);
  EXPECT_EQ(content, "next to the program");
  ASSERT_EQ(window.extracteds.size(), 1u);
  EXPECT_EQ(window.extracteds[0].fileName, expected);
}

TEST_F(ExtractByNameTest, EmptyPathUsesTheTargetFolder) {
  set->AutoExtract().ExtractTo().SetToplevelDir(tdNone);
  set->AutoExtract().ExtractTo().SetSubdirectory(scratch / "Out");
  EXPECT_TRUE(set->ExtractByName("NkdPTP.dll", ""));
  EXPECT_EQ(ReadInputText(scratch / "OutNkdPTP.dll"), "ptp library");
}

}  // namespace
