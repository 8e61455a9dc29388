#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoredSetFixture.h"
#include "system/winapi.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

using Names = std::vector<std::string>;

// A set that extracts into a scratch folder: a.dll (5 bytes) and b.dll (3 bytes).
class AutoExtractTest : public StoredSetTest {
 protected:
  AutoExtractTest() : StoredSetTest({{"a.dll", "AAAAA"}, {"b.dll", "BBB"}}) {
    set->AutoExtract().ExtractTo().SetToplevelDir(tdNone);
    set->AutoExtract().ExtractTo().SetSubdirectory(scratch.Path());
  }
  void LoadedWith(TFileStorageOverwrite overwrite) {
    set->AutoExtract().SetEnabled(true);
    set->AutoExtract().SetOverwrite(overwrite);
    set->Loaded();
  }
  Names ExtractedNames() const {
    Names names;
    for (const TExtractCall& call : window.extracteds)
      names.push_back(call.fileName.substr(scratch.Path().size()));
    return names;
  }
};

TEST_F(AutoExtractTest, DisabledWritesNothing) {
  set->Loaded();
  EXPECT_TRUE(FolderEntries(scratch.Path()).empty());
  EXPECT_TRUE(window.extracts.empty());
}

TEST_F(AutoExtractTest, WritesEveryFileIntoTheTargetFolder) {
  set->AutoExtract().ExtractTo().SetSubdirectory(scratch / "Deep\\Er\\");
  LoadedWith(owIfSizeDifferent);
  EXPECT_EQ(ReadInputText(scratch / "Deep\\Er\\a.dll"), "AAAAA");
  EXPECT_EQ(ReadInputText(scratch / "Deep\\Er\\b.dll"), "BBB");
  EXPECT_EQ(ExtractedNames(), (Names{"Deep\\Er\\a.dll", "Deep\\Er\\b.dll"}));
}

TEST_F(AutoExtractTest, NoneWithoutTrailingBackslashJoinsTheNames) {
  set->AutoExtract().ExtractTo().SetSubdirectory(scratch / "Out");
  LoadedWith(owAlways);
  EXPECT_EQ(FolderEntries(scratch.Path()), (Names{"Outa.dll", "Outb.dll"}));
}

TEST_F(AutoExtractTest, IfSizeDifferentKeepsFilesOfTheStoredSize) {
  WriteWholeFile(scratch / "a.dll", "xxxxx");  // same size, other bytes
  WriteWholeFile(scratch / "b.dll", "longer than three");
  LoadedWith(owIfSizeDifferent);
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "xxxxx");
  EXPECT_EQ(ReadInputText(scratch / "b.dll"), "BBB");
  EXPECT_EQ(ExtractedNames(), (Names{"b.dll"}));
  EXPECT_EQ(window.extracts.size(), 1u);
}

TEST_F(AutoExtractTest, NeverKeepsEveryExistingFile) {
  WriteWholeFile(scratch / "a.dll", "different size");
  LoadedWith(owNever);
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "different size");
  EXPECT_EQ(ReadInputText(scratch / "b.dll"), "BBB");
  EXPECT_EQ(ExtractedNames(), (Names{"b.dll"}));
}

TEST_F(AutoExtractTest, AlwaysRewritesEvenFilesOfTheStoredSize) {
  WriteWholeFile(scratch / "a.dll", "xxxxx");
  WriteWholeFile(scratch / "b.dll", "yyy");
  LoadedWith(owAlways);
  EXPECT_EQ(ReadInputText(scratch / "a.dll"), "AAAAA");
  EXPECT_EQ(ReadInputText(scratch / "b.dll"), "BBB");
  EXPECT_EQ(ExtractedNames(), (Names{"a.dll", "b.dll"}));
}

TEST_F(AutoExtractTest, FailuresShowOnlyThroughTheEvent) {
  // A folder where a.dll should go: it is no file, so it is extracted, and that fails.
  ASSERT_TRUE(CreateDirectoryA((scratch / "a.dll").c_str(), nullptr));
  LoadedWith(owIfSizeDifferent);
  ASSERT_EQ(window.extracteds.size(), 2u);
  EXPECT_FALSE(window.extracteds[0].result);
  EXPECT_TRUE(window.extracteds[1].result);
  EXPECT_EQ(ReadInputText(scratch / "b.dll"), "BBB");
}

}  // namespace
