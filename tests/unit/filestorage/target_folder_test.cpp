#include <gtest/gtest.h>

#include <string>

#include "storage/win32/ExtractTo.h"
#include "system/SpecialFolders.h"
#include "system/winapi.h"
#include "tests/unit/system/support/TestRegistry.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string TargetOf(TToplevelDir toplevelDir, const std::string& subdirectory) {
  TExtractTo extractTo;
  extractTo.SetToplevelDir(toplevelDir);
  extractTo.SetSubdirectory(subdirectory);
  return extractTo.TargetFolder();
}

TEST(TargetFolder, DefaultsToTheProgramsFolder) {
  const TExtractTo extractTo;
  EXPECT_TRUE(extractTo.CreatePath());
  EXPECT_EQ(extractTo.ToplevelDir(), tdCurrentDir);
  EXPECT_EQ(extractTo.TargetFolder(), ExecutableFolder());
}

TEST(TargetFolder, NoneTakesTheSubdirectoryAsItIs) {
  EXPECT_EQ(TargetOf(tdNone, "D:\\Out"), "D:\\Out");
  EXPECT_EQ(TargetOf(tdNone, "\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(TargetOf(tdNone, ""), "");
}

TEST(TargetFolder, SubdirectoryEndsInOneBackslashAndLosesLeadingOnes) {
  const std::string windows = WindowsFolder();
  EXPECT_EQ(TargetOf(tdWindowsDir, ""), windows);
  EXPECT_EQ(TargetOf(tdWindowsDir, "\\Drivers"), windows + "Drivers\\");
  EXPECT_EQ(TargetOf(tdWindowsDir, "\\\\Drivers\\Nikon\\"), windows + "Drivers\\Nikon\\");
  EXPECT_EQ(TargetOf(tdCurrentDir, "Plugins"), ExecutableFolder() + "Plugins\\");
}

TEST(TargetFolder, WindowsFolderFamily) {
  const std::string windows = WindowsFolder();
  EXPECT_EQ(TargetOf(tdTempDir, "x"), TempFolder() + "x\\");
  EXPECT_EQ(TargetOf(tdSystemDir, "x"), SystemFolder() + "x\\");
  EXPECT_EQ(TargetOf(tdMediaDir, ""), windows + "MEDIA\\");
  EXPECT_EQ(TargetOf(tdCursorsDir, ""), windows + "CURSORS\\");
  EXPECT_EQ(TargetOf(tdHelpDir, "x"), windows + "HELP\\x\\");
  EXPECT_EQ(TargetOf(tdSamplesDir, ""), windows + "SAMPLES\\");
  ASSERT_EQ(windows.substr(1, 2), ":\\");
  EXPECT_EQ(TargetOf(tdProgramFiles, "Halvora"), windows.substr(0, 3) + "Program Files\\Halvora\\");
}

TEST(TargetFolder, ShellFoldersComeFromTheUsersRegistry) {
  const struct {
    TToplevelDir toplevelDir;
    const char* valueName;
  } shellFolders[] = {{tdDesktop, "Desktop"},
                      {tdMyDocuments, "Personal"},
                      {tdMyPictures, "My Pictures"},
                      {tdAppData, "AppData"}};
  for (const auto& shellFolder : shellFolders) {
    SCOPED_TRACE(shellFolder.valueName);
    const TRegistryValueGuard guard(HKEY_CURRENT_USER, kShellFolders, shellFolder.valueName);
    const std::string folder = std::string("Q:\\Shell\\") + shellFolder.valueName;
    guard.Set(folder);
    EXPECT_EQ(TargetOf(shellFolder.toplevelDir, "Sub"), folder + "\\Sub\\");
    guard.Set(folder + "\\");
    EXPECT_EQ(TargetOf(shellFolder.toplevelDir, ""), folder + "\\");
  }
}

TEST(TargetFolder, UnreadableShellFolderLeavesTheDriveRoot) {
  const TRegistryValueGuard guard(HKEY_CURRENT_USER, kShellFolders, "My Pictures");
  guard.Delete();
  EXPECT_EQ(TargetOf(tdMyPictures, "Sub"), "\\Sub\\");
  EXPECT_EQ(TargetOf(tdMyPictures, ""), "\\");
}

}  // namespace
