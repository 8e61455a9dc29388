// What Windows itself makes of the built executable's resources: the side-by-side
// machinery accepts the manifest, the version functions find the strings through the
// translation the block names, and the icon loads. What each resource says, and the
// header, are checked from the file's bytes by tests/shipped/shipped_file_test, which
// runs natively for every build.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "system/winapi.h"
#include "tests/unit/support/TestData.h"

namespace {

const std::string kInstaller = TestDataPath("installer");

TEST(ExecutableResources, ManifestMakesAnActivationContext) {
  ACTCTXA context = {};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = kInstaller.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);  // the manifest the loader reads at start-up
  HANDLE activation = CreateActCtxA(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  ReleaseActCtx(activation);
}

TEST(ExecutableResources, VersionStringsAreFoundThroughTheTranslation) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kInstaller.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(kInstaller.c_str(), 0, size, block.data()));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 2 * sizeof(WORD));
  char path[64];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\ProductVersion", translation[0],
                translation[1]);
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&text), &length)) << path;
  EXPECT_GT(length, 1u);
}

TEST(ExecutableResources, IconLoads) {
  HMODULE module = LoadLibraryExA(kInstaller.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr) << kInstaller;
  HANDLE icon = LoadImageA(module, "MAINICON", IMAGE_ICON, 32, 32, 0);
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(static_cast<HICON>(icon));
  FreeLibrary(module);
}

}  // namespace
