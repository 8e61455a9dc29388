// The installer takes DLLs from the system folder only: started from a download folder
// full of planted DLLs, it shows its window and installs without loading any of them.
// That the import tables of the programs we ship name nothing but DLLs Windows always
// takes from there is checked from their bytes by tests/shipped/shipped_file_test.
#include <gtest/gtest.h>

#include <string>

#include "HalvoraFolder.h"
#include "InstallerSession.h"
#include "UiDriver.h"
#include "support/PlantedDlls.h"

namespace e2e {
namespace {

const std::string kInstaller = HV_INSTALLER_EXE;

TEST(PlantedDlls, NoneIsLoadedWhileTheInstallerShowsItsWindowAndInstalls) {
  TScratchFolder downloads;
  const std::string installer = downloads / "HalvoraPluginInstaller.exe";
  ASSERT_TRUE(CopyFileA(kInstaller.c_str(), installer.c_str(), FALSE));
  ASSERT_GE(PlantEveryDll(downloads.Path()), 10);
  // A planted DLL does record its loads.
  HMODULE planted = LoadLibraryA((downloads / "msftedit.dll").c_str());
  ASSERT_NE(planted, nullptr);
  FreeLibrary(planted);
  ASSERT_EQ(RecordedLoads(downloads.Path()), "msftedit.dll\n");
  DeleteFileA((downloads / "planted-loads.txt").c_str());

  // Started from the download folder, which is its working folder too.
  HalvoraFolder halvora(6000000, true);
  char testFolder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, testFolder);
  SetCurrentDirectoryA(downloads.Path().c_str());
  InstallerSession session(installer);
  SetCurrentDirectoryA(testFolder);

  session.Choose("D750");
  const MessageBoxSeen box = session.InstallWith(halvora.Exe());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, "Nikon plugin successfully installed");
  PostClick(session.CloseButton());
  DWORD exitCode = 1;
  ASSERT_TRUE(session.Program().WaitForExit(15000, &exitCode));
  EXPECT_EQ(exitCode, 0u);

  EXPECT_EQ(RecordedLoads(downloads.Path()), "");
}

}  // namespace
}  // namespace e2e
