// The program started from copies of the real executable whose stored description
// was changed after the build. A description that no longer matches its CRC-32 is
// reported as a damaged download; one that matches but cannot be loaded is reported
// too. Either way no window appears, nothing is written and the exit code says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/Crc32.h"
#include "system/winapi.h"
#include "tests/e2e/HalvoraFolder.h"
#include "tests/e2e/UiDriver.h"
#include "tests/unit/support/InstallerDescription.h"
#include "tests/unit/support/PeImage.h"
#include "tests/unit/support/TestBytes.h"
#include "tests/unit/support/TestData.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kExitDamaged = 2;
constexpr DWORD kExitCannotStart = 3;
const std::string kWindowCaption = "Halvora plugin installation";

// Where the build put the description and its CRC inside the executable's bytes.
struct StoredLayout {
  std::size_t descriptionAt = 0;
  std::size_t descriptionSize = 0;
  std::size_t crcAt = 0;
};

StoredLayout Locate(const std::string& exe, const std::string& description) {
  const std::vector<std::uint8_t> file(exe.begin(), exe.end());
  const InstallerDescription stored = FindInstallerDescription(PeImage(file));
  StoredLayout layout;
  layout.descriptionAt = stored.description.offset;
  layout.descriptionSize = stored.description.size;
  layout.crcAt = stored.crc.offset;
  if (exe.compare(layout.descriptionAt, layout.descriptionSize, description) != 0) {
    throw std::runtime_error("the executable holds another description than the build's");
  }
  return layout;
}

// A copy of the installer, alone in a folder of its own, changed by patch.
class PatchedInstaller {
 public:
  using Patch = std::function<void(std::string& exe, const StoredLayout& layout)>;

  explicit PatchedInstaller(const Patch& patch) {
    std::string exe = ReadInputText(TestDataPath("installer"));
    patch(exe, Locate(exe, ReadInputText(TestDataPath("description"))));
    WriteWholeFile(Exe(), exe);
  }
  PatchedInstaller(const PatchedInstaller&) = delete;
  PatchedInstaller& operator=(const PatchedInstaller&) = delete;

  std::string Exe() const { return folder_ / "HalvoraPluginInstaller.exe"; }
  // The names in the folder besides the executable itself.
  std::vector<std::string> OtherEntries() const {
    std::vector<std::string> names = FolderEntries(folder_.Path());
    names.erase(std::remove(names.begin(), names.end(), "HalvoraPluginInstaller.exe"), names.end());
    return names;
  }

 private:
  TScratchFolder folder_;  // removed with everything in it
};

struct StartOutcome {
  e2e::MessageBoxSeen box;
  bool windowShown = true;
  bool exited = false;
  DWORD exitCode = 0;
};

// Starts the program, answers the one message box it should show and waits for it to end.
StartOutcome StartAndAnswer(const std::string& exe) {
  StartOutcome outcome;
  e2e::Process program("\"" + exe + "\"");
  outcome.box = e2e::WaitForMessageBox(program.Id(), kTimeoutMs);
  outcome.windowShown = e2e::WaitForTopLevel(program.Id(), "", kWindowCaption, 0) != nullptr;
  if (outcome.box.window) e2e::Dismiss(outcome.box.window);
  outcome.exited = program.WaitForExit(kTimeoutMs, &outcome.exitCode);
  return outcome;
}

TEST(Startup, ADescriptionChangedAfterTheBuildIsReportedAsADamagedDownload) {
  const PatchedInstaller installer([](std::string& exe, const StoredLayout& layout) {
    exe[layout.descriptionAt + layout.descriptionSize / 2] ^=
        0x01;  // one bit deep inside the payload
  });
  const StartOutcome outcome = StartAndAnswer(installer.Exe());
  ASSERT_NE(outcome.box.window, nullptr);
  EXPECT_EQ(outcome.box.caption, "Error");
  EXPECT_NE(outcome.box.text.find("damaged"), std::string::npos) << outcome.box.text;
  EXPECT_NE(outcome.box.text.find("incomplete download"), std::string::npos) << outcome.box.text;
  EXPECT_NE(outcome.box.text.find("new copy"), std::string::npos) << outcome.box.text;
  EXPECT_FALSE(outcome.windowShown);
  ASSERT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitCode, kExitDamaged);
  EXPECT_TRUE(installer.OtherEntries().empty());
}

TEST(Startup, AChangedCrcIsADamagedDownloadToo) {
  const PatchedInstaller installer(
      [](std::string& exe, const StoredLayout& layout) { exe[layout.crcAt + 3] ^= 0x40; });
  const StartOutcome outcome = StartAndAnswer(installer.Exe());
  ASSERT_NE(outcome.box.window, nullptr);
  EXPECT_NE(outcome.box.text.find("damaged"), std::string::npos) << outcome.box.text;
  EXPECT_FALSE(outcome.windowShown);
  ASSERT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitCode, kExitDamaged);
}

// A description that passes the check yet holds a container the stored-file set
// refuses (its magic changed, the CRC made to match): the loader's error is shown.
TEST(Startup, ADescriptionThatCannotBeLoadedIsReportedWithoutAWindow) {
  const PatchedInstaller installer([](std::string& exe, const StoredLayout& layout) {
    const std::size_t magic = exe.find("SFP1", layout.descriptionAt);
    ASSERT_LT(magic, layout.descriptionAt + layout.descriptionSize);
    exe[magic + 3] = 'X';
    const std::uint32_t crc = Crc32(exe.data() + layout.descriptionAt, layout.descriptionSize);
    StoreLe32(reinterpret_cast<std::uint8_t*>(&exe[layout.crcAt]), crc);
  });
  const StartOutcome outcome = StartAndAnswer(installer.Exe());
  ASSERT_NE(outcome.box.window, nullptr);
  EXPECT_EQ(outcome.box.caption, "Error");
  EXPECT_EQ(outcome.box.text.rfind("The installer cannot start", 0), 0u) << outcome.box.text;
  EXPECT_NE(outcome.box.text.find("FileStoMD3"), std::string::npos) << outcome.box.text;
  EXPECT_EQ(outcome.box.text.find("damaged"), std::string::npos) << outcome.box.text;
  EXPECT_FALSE(outcome.windowShown);
  ASSERT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.exitCode, kExitCannotStart);
  EXPECT_TRUE(installer.OtherEntries().empty());
}

// A release is signed after the build (make release): the signature goes at the
// end of the file, outside the description and its CRC, and the program starts as
// before.
TEST(Startup, TheSignedReleaseStartsAndShowsItsWindow) {
  e2e::Process program("\"" + TestDataPath("signed-installer") + "\"");
  const HWND window = e2e::WaitForTopLevel(program.Id(), "", kWindowCaption, kTimeoutMs);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(program.WaitForExit(kTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
