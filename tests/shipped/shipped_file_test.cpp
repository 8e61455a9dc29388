// The bytes of the executables a Windows build ships, checked natively, so that the
// 32-bit installer is checked on machines that cannot run it: the header, the DLLs it
// imports, what its resources say, and the signature where there is one. The Windows
// builds register it in their ctest with their own files (label "host"); what only
// Windows decides stays in tests/e2e.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ShippedFileChecks.h"
#include "ShippedFiles.h"
#include "VersionInfo.h"
#include "base/LittleEndian.h"
#include "storage/Crc32.h"
#include "tests/unit/support/InstallerDescription.h"
#include "tests/unit/support/PeImage.h"
#include "tests/unit/support/TestBytes.h"
#include "tools/common/InputFile.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

ShippedFiles files;  // from the command line, before any test runs

// Read once: the installer carries the whole payload.
const PeImage& Installer() {
  static const std::vector<std::uint8_t> bytes = ReadInputFile(files.installer);
  static const PeImage image(bytes);
  return image;
}

std::string InstallerResourceText(const PeResourceId& type, const PeResourceId& name) {
  const auto bytes = Installer().Resource(type, name);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

struct ShippedProgram {
  const char* name;
  std::string ShippedFiles::* path;
  std::uint16_t subsystem;
  // Its manifest depends on the version 6 common controls.
  bool commonControlsAssembly;
  friend void PrintTo(const ShippedProgram& program, std::ostream* out) { *out << program.name; }
};

class ShippedProgramBytes : public testing::TestWithParam<ShippedProgram> {
 protected:
  void SetUp() override {
    const std::string& path = files.*GetParam().path;
    if (path.empty()) GTEST_SKIP() << "not given";
    bytes_ = ReadInputFile(path);
    image_ = std::make_unique<PeImage>(bytes_);
  }

  std::vector<std::uint8_t> bytes_;
  std::unique_ptr<PeImage> image_;
};

TEST_P(ShippedProgramBytes, HeaderIsTheBuildsMachineWithoutTimeStamp) {
  EXPECT_THAT(HeaderProblems(*image_, {files.machine, GetParam().subsystem}), IsEmpty());
}

TEST_P(ShippedProgramBytes, ImportsOnlyDllsWindowsAlwaysTakesFromTheSystemFolder) {
  EXPECT_THAT(image_->ImportedDlls(), testing::Contains(testing::StrCaseEq("kernel32.dll")))
      << "the import table was read";
  EXPECT_THAT(DisallowedImports(*image_, GetParam().commonControlsAssembly), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Programs, ShippedProgramBytes,
                         testing::Values(ShippedProgram{"Installer", &ShippedFiles::installer,
                                                        kPeSubsystemWindowsGui, true},
                                         ShippedProgram{"Sfpack", &ShippedFiles::sfpack,
                                                        kPeSubsystemWindowsConsole, false}),
                         [](const testing::TestParamInfo<ShippedProgram>& p) {
                           return p.param.name;
                         });

TEST(InstallerImports, TheCheckReportsAnImportPatchedToAnotherDll) {
  std::vector<std::uint8_t> copy = ReadInputFile(files.installer);
  const std::string from("USER32.dll", 11);  // with its NUL
  const std::string to("EVIL32.dll", 11);
  int patched = 0;
  for (auto at = copy.begin();
       (at = std::search(at, copy.end(), from.begin(), from.end())) != copy.end(); ++patched) {
    at = std::copy(to.begin(), to.end(), at);
  }
  ASSERT_GT(patched, 0) << "the installer names no USER32.dll";
  EXPECT_THAT(DisallowedImports(PeImage(copy), true), ElementsAre("evil32.dll"));
}

TEST(InstallerResources, ManifestAsksForElevationModernControlsAndGdiScaling) {
  const std::string manifest = InstallerResourceText(kPeResourceManifest, 1);
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

TEST(InstallerResources, VersionInformationNamesThePluginVersion) {
  const auto block = Installer().Resource(kPeResourceVersion, 1);
  ASSERT_TRUE(block);
  const VersionInfo version = ParseVersionInfo(*block);
  EXPECT_EQ(version.fileVersionHigh, 1u << 16 | 40u);
  EXPECT_EQ(version.productVersionHigh, 1u << 16 | 40u);
  // Explorer finds the strings through the translation (U.S. English, code page 1252).
  EXPECT_THAT(version.translations, ElementsAre(0x04E40409u));
  ASSERT_TRUE(version.stringTables.count("040904E4"));
  const auto& strings = version.stringTables.at("040904E4");
  const auto value = [&strings](const char* name) {
    const auto found = strings.find(name);
    return found == strings.end() ? std::string() : found->second;
  };
  EXPECT_EQ(value("FileVersion"), "1.40");
  EXPECT_EQ(value("ProductVersion"), "1.40");
  EXPECT_FALSE(value("ProductName").empty());
  EXPECT_FALSE(value("CompanyName").empty());
  EXPECT_FALSE(value("FileDescription").empty());
}

TEST(InstallerResources, IconGroupNamesThreeImagesItCarries) {
  const auto group = Installer().Resource(kPeResourceGroupIcon, "MAINICON");
  ASSERT_TRUE(group);
  ASSERT_GE(group->size(), 6u);
  const std::size_t count = LoadLe16(group->data() + 4);
  EXPECT_EQ(count, 3u);
  // GRPICONDIRENTRYs of 14 bytes after the 6-byte header, each ending in its icon's id.
  ASSERT_GE(group->size(), 6 + 14 * count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t icon = LoadLe16(group->data() + 6 + 14 * i + 12);
    EXPECT_TRUE(Installer().Resource(kPeResourceIcon, icon)) << "icon " << icon;
  }
}

TEST(InstallerResources, CarryTheBuildsDescriptionAndItsCrc) {
  if (files.description.empty()) GTEST_SKIP() << "no --description and --crc";
  EXPECT_THAT(InstallerDescriptionProblems(Installer(), ReadInputFile(files.description),
                                           ReadInputFile(files.crc)),
              IsEmpty());
}

TEST(InstallerSignature, WhereThereIsOneItIsAnAuthenticodeTableEndingTheFile) {
  if (files.mustBeSigned) {
    ASSERT_TRUE(Installer().CertificateTable()) << "no certificate table";
  }
  EXPECT_THAT(SignatureProblems(Installer()), IsEmpty());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  try {
    files = ParseShippedFiles(argc, argv);
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "shipped_file_test: %s\n%s", error.what(), kShippedFilesUsage);
    return 2;
  }
  return RUN_ALL_TESTS();
}
