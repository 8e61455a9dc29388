// The programs we ship for Windows take DLLs from the system folder only. Their import
// tables name nothing but DLLs that Windows always takes from there, and the installer,
// started from a download folder full of planted DLLs, shows its window and installs
// without loading any of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ostream>
#include <set>
#include <string>

#include "HalvoraFolder.h"
#include "InstallerSession.h"
#include "TestData.h"
#include "UiDriver.h"
#include "support/PlantedDlls.h"

namespace e2e {
namespace {

const std::string kInstaller = TestDataPath("installer");
const std::string kSfpack = TestDataPath("sfpack");

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The DLL names in the import directory of a 32-bit PE file; throws when the file
// is not one or a name lies outside it.
std::set<std::string> ImportedDlls(const std::string& image) {
  const auto at = [&image](std::size_t offset, std::size_t size) {
    if (offset > image.size() || size > image.size() - offset)
      throw std::runtime_error("import table outside the file");
    return image.data() + offset;
  };
  IMAGE_DOS_HEADER dos;
  std::memcpy(&dos, at(0, sizeof dos), sizeof dos);
  IMAGE_NT_HEADERS32 nt;
  std::memcpy(&nt, at(static_cast<std::size_t>(dos.e_lfanew), sizeof nt), sizeof nt);
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || nt.Signature != IMAGE_NT_SIGNATURE)
    throw std::runtime_error("not a PE file");
  const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) +
                               offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                               nt.FileHeader.SizeOfOptionalHeader;
  const auto fileOffset = [&](DWORD rva) {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER s;
      std::memcpy(&s, at(sections + i * sizeof s, sizeof s), sizeof s);
      if (rva >= s.VirtualAddress && rva - s.VirtualAddress < s.SizeOfRawData)
        return static_cast<std::size_t>(s.PointerToRawData + (rva - s.VirtualAddress));
    }
    throw std::runtime_error("address outside every section");
  };
  std::set<std::string> names;
  const DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (std::size_t entry = fileOffset(table);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR import;
    std::memcpy(&import, at(entry, sizeof import), sizeof import);
    if (import.Name == 0) break;
    const std::size_t name = fileOffset(import.Name);
    names.insert(Lower(std::string(at(name, 1), strnlen(at(name, 1), image.size() - name))));
  }
  return names;
}

struct ShippedProgram {
  const char* name;
  const std::string* path;
  // Its manifest depends on the version 6 common controls, so the loader takes
  // comctl32.dll from that side-by-side assembly, never from the program's folder.
  bool commonControlsAssembly;
  friend void PrintTo(const ShippedProgram& program, std::ostream* out) { *out << program.name; }
};

class ShippedProgramImports : public testing::TestWithParam<ShippedProgram> {};

TEST_P(ShippedProgramImports, NameOnlyDllsWindowsAlwaysTakesFromTheSystemFolder) {
  // Windows takes its known DLLs from the system folder whatever the search order,
  // before any code of the program runs. These are the ones of Windows 7's list (the
  // registry key HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs, with
  // ntdll, which is always loaded first) that later versions keep: extend it only from
  // that key of the oldest Windows the installer supports.
  std::set<std::string> known = {"ntdll.dll",    "kernel32.dll", "user32.dll",   "gdi32.dll",
                                 "advapi32.dll", "comdlg32.dll", "msvcrt.dll",   "shell32.dll",
                                 "shlwapi.dll",  "ole32.dll",    "oleaut32.dll", "rpcrt4.dll",
                                 "imm32.dll",    "ws2_32.dll"};
  if (GetParam().commonControlsAssembly) known.insert("comctl32.dll");
  const std::set<std::string> imported = ImportedDlls(ReadInputText(*GetParam().path));
  EXPECT_TRUE(imported.count("kernel32.dll")) << "the import table was read";
  for (const std::string& dll : imported) EXPECT_TRUE(known.count(dll)) << dll;
}

INSTANTIATE_TEST_SUITE_P(Programs, ShippedProgramImports,
                         testing::Values(ShippedProgram{"Installer", &kInstaller, true},
                                         ShippedProgram{"Sfpack", &kSfpack, false}),
                         [](const testing::TestParamInfo<ShippedProgram>& p) {
                           return p.param.name;
                         });

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
