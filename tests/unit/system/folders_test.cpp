#include "system/Folders.h"

#include <gtest/gtest.h>

#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

TEST(CreatePathFolders, CreatesEveryMissingFolderButNotTheFile) {
  const TScratchFolder scratch;
  CreatePathFolders(scratch / "A\\B\\f.dll");
  EXPECT_TRUE(FolderExists(scratch / "A"));
  EXPECT_TRUE(FolderExists(scratch / "A\\B"));
  EXPECT_FALSE(PathExists(scratch / "A\\B\\f.dll"));

  // Existing folders and a path without a folder part are quietly accepted.
  CreatePathFolders(scratch / "A\\B\\C\\g.dll");
  EXPECT_TRUE(FolderExists(scratch / "A\\B\\C"));
  CreatePathFolders("no-folder-part.dll");
}

TEST(FolderExists, OnlyForFolders) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "file.txt", "x");
  EXPECT_TRUE(FolderExists(scratch.Path()));
  EXPECT_FALSE(FolderExists(scratch / "file.txt"));
  EXPECT_FALSE(FolderExists(scratch / "missing"));
}

TEST(FolderIsEmpty, CountsEveryEntryButDots) {
  const TScratchFolder scratch;
  EXPECT_TRUE(FolderIsEmpty(scratch.Path()));
  EXPECT_TRUE(FolderIsEmpty(scratch.Path().substr(0, scratch.Path().size() - 1)));
  EXPECT_FALSE(FolderIsEmpty(scratch / "missing"));

  WriteWholeFile(scratch / "hidden.txt", "");
  ASSERT_TRUE(SetFileAttributesA((scratch / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_FALSE(FolderIsEmpty(scratch.Path()));
}

TEST(FolderIsEmpty, SubFolderCounts) {
  const TScratchFolder scratch;
  ASSERT_TRUE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));
  EXPECT_FALSE(FolderIsEmpty(scratch.Path()));
  EXPECT_TRUE(FolderIsEmpty(scratch / "sub"));
}

TEST(FileExists, FirstEntryMustBeAFile) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "file.txt", "x");
  ASSERT_TRUE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));
  EXPECT_TRUE(FileExists(scratch / "file.txt"));
  EXPECT_FALSE(FileExists(scratch / "sub"));
  EXPECT_FALSE(FileExists(scratch / "missing.txt"));
}

}  // namespace
