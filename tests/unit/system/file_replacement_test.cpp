#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/FileReplacement.h"
#include "system/winapi.h"
#include "tests/unit/system/support/HeldFile.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
  return WriteFileReplacing(path, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

using Names = std::vector<std::string>;

TEST(WriteFileReplacing, WritesNewAndReplacesOldFiles) {
  const TScratchFolder scratch;
  ASSERT_TRUE(Write(scratch / "a.dll", "first content, rather long"));
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "first content, rather long");
  ASSERT_TRUE(Write(scratch / "a.dll", "short"));
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "short");
  ASSERT_TRUE(WriteFileReplacing(scratch / "empty.dll", nullptr, 0));
  EXPECT_EQ(ReadInputText(scratch / "empty.dll"), "");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"a.dll", "empty.dll"}));
}

TEST(WriteFileReplacing, LockedTargetStaysAsItWas) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "a.dll", "old");
  {
    const THeldFile held(scratch / "a.dll");
    EXPECT_FALSE(Write(scratch / "a.dll", "new content"));
  }
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "old");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"a.dll"}));
}

// A virus scanner holds a file it has just seen written for a moment; the replacement
// waits for it to let go, the temporary file's moment included.
TEST(WriteFileReplacing, BrieflyHeldTargetIsReplacedOnceLetGo) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "a.dll", "old");
  THeldFile held(scratch / "a.dll");
  held.LetGoAfterSeeing(scratch / "a.dll.~*", 1000);
  EXPECT_TRUE(Write(scratch / "a.dll", "new content"));
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "new content");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"a.dll"}));
}

// Memory the write cannot read: the platform's write fails part way, as on a full
// disk or a lost network drive.
class TUnreadablePage {
 public:
  TUnreadablePage() : page_(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS)) {}
  ~TUnreadablePage() {
    if (page_ != nullptr) VirtualFree(page_, 0, MEM_RELEASE);
  }
  TUnreadablePage(const TUnreadablePage&) = delete;
  TUnreadablePage& operator=(const TUnreadablePage&) = delete;
  const void* Get() const { return page_; }

 private:
  void* page_;
};

TEST(WriteFileReplacing, FailedWriteLeavesTheOldFile) {
  const TScratchFolder scratch;
  WriteWholeFile(scratch / "a.dll", "old");
  const TUnreadablePage unreadable;
  ASSERT_NE(unreadable.Get(), nullptr);
  EXPECT_FALSE(WriteFileReplacing(scratch / "a.dll", unreadable.Get(), 4096));
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "old");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"a.dll"}));
}

TEST(WriteFileReplacing, MissingFolderIsAFailure) {
  const TScratchFolder scratch;
  EXPECT_FALSE(Write(scratch / "missing\\a.dll", "new"));
  EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
}

TEST(WriteFileReplacing, FolderOrReadOnlyFileInTheWayIsAFailure) {
  const TScratchFolder scratch;
  ASSERT_TRUE(CreateDirectoryA((scratch / "a.dll").c_str(), nullptr));
  EXPECT_FALSE(Write(scratch / "a.dll", "new"));
  WriteWholeFile(scratch / "b.dll", "old");
  ASSERT_TRUE(SetFileAttributesA((scratch / "b.dll").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(Write(scratch / "b.dll", "new"));
  EXPECT_EQ(ReadInputText(scratch / "b.dll"), "old");
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"a.dll", "b.dll"}));
}

TEST(WriteFileReplacing, TakenTemporaryNameIsLeftAlone) {
  const TScratchFolder scratch;
  const std::wstring taken = ReplacementTempName(scratch / "a.dll", 0);
  const HANDLE file = CreateFileW(taken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  ASSERT_TRUE(Write(scratch / "a.dll", "new"));
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "new");
  EXPECT_NE(GetFileAttributesW(taken.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FolderEntries(scratch.Path()).size(), 2u);
}

// Windows refuses a plain name past MAX_PATH characters, so the temporary name reaches
// the platform in the long form (a folder on a server in the UNC one), whatever its length.
TEST(WriteFileReplacing, TemporaryNameIsInTheLongForm) {
  const auto startsWith = [](const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
  };
  EXPECT_PRED2(startsWith, ReplacementTempName("C:\\Halvora 7\\a.dll", 0),
               L"\\\\?\\C:\\Halvora 7\\a.dll.~");
  EXPECT_PRED2(startsWith, ReplacementTempName("\\\\server\\share\\Halvora 7\\a.dll", 1),
               L"\\\\?\\UNC\\server\\share\\Halvora 7\\a.dll.~");
}

}  // namespace
