// What the built executable carries besides its code: the manifest that asks for
// elevation and the modern controls, the version information and the icon, and
// the header fields that keep two builds of one commit byte-identical.
#include <gtest/gtest.h>

#include <string>

#include "TestData.h"
#include "system/winapi.h"

namespace {

const std::string kInstaller = TestDataPath("installer");

class ExecutableResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(kInstaller.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << kInstaller;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  std::string Resource(LPCSTR name, LPCSTR type) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
  }

  HMODULE module_ = nullptr;
};

TEST_F(ExecutableResources, ManifestAsksForElevationModernControlsAndGdiScaling) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  for (const char* os :
       {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos)
        << os;
  }
  EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find(">true</gdiScaling>"), std::string::npos);
}

TEST_F(ExecutableResources, VersionInformationNamesThePluginVersion) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kInstaller.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(kInstaller.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(40, 1));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(40, 1));

  const auto value = [&block](const char* name) {
    char* text = nullptr;
    UINT chars = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &chars) ||
        !text)
      return std::string();
    return std::string(text);
  };
  EXPECT_EQ(value("FileVersion"), "1.40");
  EXPECT_EQ(value("ProductVersion"), "1.40");
  EXPECT_FALSE(value("ProductName").empty());
  EXPECT_FALSE(value("CompanyName").empty());
  EXPECT_FALSE(value("FileDescription").empty());
}

TEST_F(ExecutableResources, CarriesAnIconInThreeSizes) {
  const std::string group = Resource("MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u);
  EXPECT_EQ(static_cast<unsigned char>(group[4]), 3u);  // image count
  HANDLE icon = LoadImageA(module_, "MAINICON", IMAGE_ICON, 32, 32, 0);
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(static_cast<HICON>(icon));
}

TEST(ExecutableHeader, HasNoTimeStamp) {
  HANDLE file = CreateFileA(kInstaller.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char header[4096];
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(file, header, sizeof header, &read, nullptr));
  CloseHandle(file);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(header);
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(header + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->FileHeader.TimeDateStamp, 0u);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace
