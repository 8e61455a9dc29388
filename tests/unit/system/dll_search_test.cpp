// Loads from the system folder only: a library planted in the program's own folder
// under the name of a system library that is not one of Windows' known DLLs is found
// neither by LoadSystemLibrary nor, once the search is restricted, by a load by name.
#include <gtest/gtest.h>

#include <string>

#include "system/DllSearch.h"
#include "system/PathText.h"
#include "system/SpecialFolders.h"
#include "tests/unit/system/support/PlantedDlls.h"

namespace {

// The folder of the library that a load found, or "(nothing)".
std::string LoadedFrom(HMODULE module) {
  if (!module) return "(nothing)";
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  FreeLibrary(module);
  return FolderPart(path);
}

bool SameFolder(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

// One test: the restriction holds for the rest of the process, so the load by full
// path is seen without it first.
TEST(DllSearch, LoadsFromTheSystemFolderPassOverALibraryBesideTheProgram) {
  const std::string programFolder = ExecutableFolder();
  ASSERT_EQ(GetModuleHandleA("dwmapi.dll"), nullptr) << "loaded before the test";
  ASSERT_TRUE(PlantDll("dwmapi.dll", programFolder));

  const std::string byFullPath = LoadedFrom(LoadSystemLibrary("dwmapi.dll"));
  EXPECT_TRUE(RestrictDllSearchToSystemFolder()) << "Wine has SetDefaultDllDirectories";
  const std::string byName = LoadedFrom(LoadLibraryA("dwmapi.dll"));
  RemovePlanted("dwmapi.dll", programFolder);

  EXPECT_PRED2(SameFolder, byFullPath, SystemFolder());
  EXPECT_PRED2(SameFolder, byName, SystemFolder());
}

}  // namespace
