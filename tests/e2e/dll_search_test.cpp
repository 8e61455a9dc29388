// The installer takes DLLs from the system folder only: started from a download folder
// full of planted DLLs, it shows its window and installs without loading any of them.
// That the import tables of the programs we ship name nothing but DLLs Windows always
// takes from there is checked from their bytes by tests/shipped/shipped_file_test,
// against the list of the oldest Windows we support; here, on Windows, against the
// machine's own list.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "HalvoraFolder.h"
#include "InstallerSession.h"
#include "UiDriver.h"
#include "tests/shipped/ShippedFileChecks.h"
#include "tests/unit/support/PeImage.h"
#include "tests/unit/support/TestData.h"
#include "tests/unit/system/support/PlantedDlls.h"

namespace e2e {
namespace {

const std::string kInstaller = TestDataPath("installer");

// The DLL names of this machine's KnownDLLs list, in lower case: the DLLs that Windows
// maps from its system folder whatever the search order. Empty when there is no list.
std::set<std::string> KnownDllsOfThisMachine() {
  std::set<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs", 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return names;
  for (DWORD index = 0;; ++index) {
    char value[256];
    DWORD valueLength = sizeof value;
    char data[MAX_PATH + 1] = {};
    DWORD dataSize = MAX_PATH;  // one byte left for the end of a string stored without one
    DWORD type = 0;
    const LONG result = RegEnumValueA(key, index, value, &valueLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    const std::string name = LowerCaseName(data);
    // DllDirectory and DllDirectory32 name folders, not DLLs.
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0) names.insert(name);
  }
  RegCloseKey(key);
  return names;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(InstallerImports, AreAllInThisMachinesKnownDlls) {
  if (UnderWine()) GTEST_SKIP() << "Wine keeps no KnownDLLs list: checked on Windows only";
  std::set<std::string> known = KnownDllsOfThisMachine();
  ASSERT_GE(known.size(), 10u) << "HKLM\\...\\Session Manager\\KnownDLLs could not be read";
  known.insert("ntdll.dll");     // loaded into every process before anything else
  known.insert("comctl32.dll");  // from the side-by-side assembly the manifest names
  const std::vector<std::uint8_t> bytes = ReadInputFile(kInstaller);
  const PeImage image(bytes);
  EXPECT_FALSE(image.ImportedDlls().empty());
  EXPECT_EQ(ImportsOutside(image, known), std::vector<std::string>{})
      << "imports that are not in this machine's KnownDLLs";
}

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
