#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoredSetFixture.h"
#include "system/Folders.h"
#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

class RemoveOnTerminateTest : public StoredSetTest {
 protected:
  RemoveOnTerminateTest() : StoredSetTest({{"a.dll", "AAAAA"}, {"b.dll", "BBB"}}) {
    set->AutoExtract().SetRemoveOnTerminate(true);
  }
  void Destroy() {
    delete set;
    set = nullptr;
  }
};

TEST_F(RemoveOnTerminateTest, RemembersEverySuccessfulWrite) {
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "a.dll"));
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "a.dll"));
  ASSERT_FALSE(set->ExtractByName("b.dll", scratch / "a.dll\\b.dll"));  // a.dll is no folder
  EXPECT_EQ(set->RemoveList(), (Names{scratch / "a.dll", scratch / "a.dll"}));
}

TEST_F(RemoveOnTerminateTest, WithoutEnabledNothingIsRemoved) {
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\a.dll"));
  EXPECT_EQ(set->RemoveList().size(), 1u);
  Destroy();
  EXPECT_EQ(ReadInputText(scratch / "one\\a.dll"), "AAAAA");
}

TEST_F(RemoveOnTerminateTest, RemovesTheFilesAndOnlyTheFirstFilesEmptyFolder) {
  set->AutoExtract().SetEnabled(true);
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\deep\\a.dll"));
  ASSERT_TRUE(set->ExtractByName("b.dll", scratch / "two\\b.dll"));
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\deep\\a.dll"));
  Destroy();
  EXPECT_FALSE(PathExists(scratch / "one\\deep"));
  EXPECT_TRUE(FolderIsEmpty(scratch / "one"));
  EXPECT_TRUE(FolderIsEmpty(scratch / "two"));
}

TEST_F(RemoveOnTerminateTest, FirstFolderStaysWhileSomethingElseIsInIt) {
  set->AutoExtract().SetEnabled(true);
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\a.dll"));
  WriteWholeFile(scratch / "one\\user.txt", "not ours");
  Destroy();
  EXPECT_EQ(FolderEntries(scratch / "one"), (Names{"user.txt"}));
}

TEST_F(RemoveOnTerminateTest, FilesGoneAlreadyAreNoProblem) {
  set->AutoExtract().SetEnabled(true);
  ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\a.dll"));
  ASSERT_TRUE(set->ExtractByName("b.dll", scratch / "one\\b.dll"));
  ASSERT_TRUE(DeleteFileA((scratch / "one\\a.dll").c_str()));
  Destroy();
  EXPECT_FALSE(PathExists(scratch / "one"));
}

TEST(FileStorageOwnership, OwnerDestroysItsSets) {
  TScratchFolder scratch;
  {
    TEventRecorder window;
    TFileStorage* set = window.NewSet();
    LoadFiles(*set, {{"a.dll", "AAAAA"}});
    set->AutoExtract().SetEnabled(true);
    set->AutoExtract().SetRemoveOnTerminate(true);
    ASSERT_TRUE(set->ExtractByName("a.dll", scratch / "one\\a.dll"));
  }
  EXPECT_FALSE(PathExists(scratch / "one"));
}

}  // namespace
