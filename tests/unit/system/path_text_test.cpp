#include <gtest/gtest.h>

#include <string>

#include "system/PathText.h"
#include "system/WidePath.h"

namespace {

constexpr UINT kJapanese = 932;          // 0x95 0x5C is one character whose second byte is '\'
constexpr UINT kWesternEuropean = 1252;  // 0x95 is a single-byte bullet

TEST(TrailingBackslash, AppendsOnlyWhenMissing) {
  EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Out"), "C:\\Out\\");
  EXPECT_EQ(IncludeTrailingBackslash("\\"), "\\");
  EXPECT_EQ(IncludeTrailingBackslash("Out\\\\"), "Out\\\\");
}

TEST(TrailingBackslash, TrailByteOfDoubleByteCharacterIsNotABackslash) {
  ASSERT_TRUE(IsValidCodePage(kJapanese)) << "code page 932 is not installed";
  EXPECT_EQ(IncludeTrailingBackslash("C:\\\x95\x5C", kJapanese), "C:\\\x95\x5C\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\\x95\x5C\\", kJapanese), "C:\\\x95\x5C\\");
  // Two characters 0x95 0x95 and 0x5C: the backslash starts its own character.
  EXPECT_EQ(IncludeTrailingBackslash("\x95\x95\x5C", kJapanese), "\x95\x95\x5C");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\\x95\x5C", kWesternEuropean), "C:\\\x95\x5C");
}

TEST(StripLeadingChar, RemovesOnlyTheLeadingRun) {
  EXPECT_EQ(StripLeadingChar("", '\\'), "");
  EXPECT_EQ(StripLeadingChar("\\\\\\", '\\'), "");
  EXPECT_EQ(StripLeadingChar("\\\\a\\", '\\'), "a\\");
  EXPECT_EQ(StripLeadingChar("a\\b\\", '\\'), "a\\b\\");
  EXPECT_EQ(StripLeadingChar("xxyx", 'x'), "yx");
}

TEST(FolderPart, EndsAtTheLastSeparator) {
  EXPECT_EQ(FolderPart("C:\\A\\B\\f.dll"), "C:\\A\\B\\");
  EXPECT_EQ(FolderPart("C:f.dll"), "C:");
  EXPECT_EQ(FolderPart("f.dll"), "");
  EXPECT_EQ(FolderPart(""), "");
  EXPECT_EQ(FolderPart("C:\\A\\"), "C:\\A\\");
}

TEST(FolderPart, SkipsTrailBytesThatLookLikeBackslashes) {
  ASSERT_TRUE(IsValidCodePage(kJapanese));
  EXPECT_EQ(FolderPart("C:\\d\\\x95\x5Cx.dll", kJapanese), "C:\\d\\");
  EXPECT_EQ(FolderPart("C:\\d\\\x95\x5Cx.dll", kWesternEuropean), "C:\\d\\\x95\x5C");
}

// A path is given to the ANSI calls as itself or as its short form, never as a
// best-fit look-alike: "a" with a macron is missing from the Western code page.
TEST(AnsiPathFor, IsTheExactTextOrNothing) {
  if (GetACP() != kWesternEuropean)
    GTEST_SKIP() << "the cases are spelled in code page 1252; this system's is " << GetACP();
  EXPECT_EQ(AnsiPathFor(L"C:\\Astro\\Halvor\u00e9\\HALVORA.EXE"),
            "C:\\Astro\\Halvor\xe9\\HALVORA.EXE");
  // Without the file there is no short form either.
  EXPECT_EQ(AnsiPathFor(L"C:\\hv-no-such-folder\\Halvor\u0101\\HALVORA.EXE"), std::nullopt);
}

}  // namespace
