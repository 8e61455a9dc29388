// The install procedure against real folders: what it refuses, what it writes, and
// what it leaves the window like afterwards.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "InstallTestSupport.h"
#include "installer/ModelTable.h"
#include "installer/win32/InstallProcedure.h"
#include "system/Handles.h"
#include "system/winapi.h"
#include "tests/unit/filestorage/StoredSetFixture.h"
#include "tests/unit/support/FormSource.h"
#include "tests/unit/system/support/ScratchFolder.h"

namespace {

using installer_test::RecordingHost;

constexpr std::int64_t kSupportedSize = 6000000;
const std::string kCommonFiles[] = {"HVNik.dll", "dcrnik.dll", "d_nikon.dll", "nikon-readme.htm"};

// Distinct bytes per set and file, so that a file on disk proves where it came from.
// The runs and the full byte range make the codec use both of its block modes.
std::string Content(const std::string& set, const std::string& name) {
  std::string bytes = set + "|" + name + "|" + std::string(40, set.back());
  if (set == "MD3") {
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  }
  return bytes;
}

std::vector<TTestFile> DriverFiles() {
  std::set<std::string> drivers;
  const TStringList table = DescribedModelTable();
  for (int row = 0; row < table.Count(); ++row) drivers.insert(table.ValueFromIndex(row));
  std::vector<TTestFile> files;
  for (const std::string& driver : drivers) files.push_back({driver, Content("MD3", driver)});
  return files;
}

std::vector<TTestFile> CommonFiles() {
  std::vector<TTestFile> files;
  for (const std::string& name : kCommonFiles) files.push_back({name, Content("Other", name)});
  return files;
}

class Install : public ::testing::Test {
 protected:
  Install()
      : md3(MakeFileSet(DriverFiles())),
        ptp1(MakeFileSet({{"NkdPTP.dll", Content("PTP1", "NkdPTP.dll")}})),
        ptp2(MakeFileSet({{"NkdPTP.dll", Content("PTP2", "NkdPTP.dll")}})),
        ptp3(MakeFileSet({{"NkdPTP.dll", Content("PTP3", "NkdPTP.dll")}})),
        other(MakeFileSet(CommonFiles())),
        table(nullptr),
        procedure(host, {*md3, *ptp1, *ptp2, *ptp3, *other}, table) {
    table.SetLines(DescribedModelTable());
  }

  // A Halvora installation the plugin supports, chosen in the dialog, with a model.
  void PrepareHalvora(std::int64_t exeSize = kSupportedSize,
                      const std::string& exeName = "HALVORA.EXE") {
    MakeFileOfSize(folder / exeName, exeSize);
    MakeFileOfSize(folder / "HV7.chm", 4096);
    host.chosenPath = folder.Path() + exeName;
    host.selectedModel = "D750";
  }

  std::set<std::string> HalvoraFiles() const { return {"HALVORA.EXE", "HV7.chm"}; }

  // Every entry of the Halvora folder, files and folders alike.
  std::set<std::string> Names() const {
    const std::vector<std::string> entries = FolderEntries(folder.Path());
    return {entries.begin(), entries.end()};
  }
  std::string Read(const std::string& name) const { return ReadInputText(folder / name); }
  void MakeFolder(const std::string& name) const {
    ASSERT_TRUE(CreateDirectoryA((folder / name).c_str(), nullptr)) << name;
  }

  // One error box with this text, shown outside the busy state; nothing written
  // and Install still usable.
  void ExpectRefused(const std::string& text) const {
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, mkError);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].text, text);
    EXPECT_TRUE(host.busyChanges.empty());
    EXPECT_FALSE(host.installControlsDisabled);
  }

  // The write-failure box naming the folder, shown while busy; the window given
  // back and Install still usable.
  void ExpectWriteFailure() const {
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, mkError);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_EQ(host.messages[0].text, "Cannot write data to: " + folder.Path() +
                                         "\rPlease check that Halvora is not running");
    EXPECT_TRUE(host.messages[0].whileBusy);
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_FALSE(host.installControlsDisabled);
  }

  void ExpectInstalled() const {
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, mkInformation);
    EXPECT_EQ(host.messages[0].caption, "Installation");
    EXPECT_EQ(host.messages[0].text, "Nikon plugin successfully installed");
    EXPECT_TRUE(host.messages[0].whileBusy);
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(host.installControlsDisabled);
    EXPECT_EQ(procedure.InstallDir(), folder.Path());
  }

  TScratchFolder folder;
  RecordingHost host;
  std::unique_ptr<TFileStorage> md3, ptp1, ptp2, ptp3, other;
  TTXTDat table;
  TInstallProcedure procedure;
};

// --- Halvora running ------------------------------------------------------------

// A top-level window that stands in for a running Halvora.
class FakeHalvoraWindow {
 public:
  explicit FakeHalvoraWindow(const char* title)
      : window_(CreateWindowA("STATIC", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr)) {}
  ~FakeHalvoraWindow() {
    if (window_) DestroyWindow(window_);
  }
  FakeHalvoraWindow(const FakeHalvoraWindow&) = delete;
  FakeHalvoraWindow& operator=(const FakeHalvoraWindow&) = delete;
  bool Created() const { return window_ != nullptr; }

 private:
  HWND window_;
};

TEST_F(Install, RefusedWhileAHalvoraWindowIsOpenOnTheDesktop) {
  PrepareHalvora();
  const FakeHalvoraWindow halvora("Veltro Halvora 6.0");
  ASSERT_TRUE(halvora.Created());
  host.askTheDesktop = true;

  procedure.Install();

  ExpectRefused("Halvora is running.\rPlease close Halvora and try again.");
  EXPECT_TRUE(host.dialogFolders.empty());
  EXPECT_EQ(Names(), HalvoraFiles());
  EXPECT_EQ(procedure.InstallDir(), "");
}

TEST_F(Install, AsksForEveryHalvoraTitleNewestFirst) {
  PrepareHalvora();
  host.openWindowTitles = {"Veltro Halvora 5.0"};

  procedure.Install();

  EXPECT_EQ(host.titlesAsked,
            (std::vector<std::string>{"Veltro Halvora 8.0", "Veltro Halvora 7.0",
                                      "Veltro Halvora 6.0", "Veltro Halvora 5.0"}));
  ExpectRefused("Halvora is running.\rPlease close Halvora and try again.");
  EXPECT_TRUE(host.dialogFolders.empty());
}

// --- The chosen file --------------------------------------------------------------

TEST_F(Install, TheDialogStartsAtTheDriveRootAndACancelChangesNothing) {
  PrepareHalvora(5049999);
  procedure.Install();  // refused, but InstallDir is taken from the choice
  ASSERT_EQ(procedure.InstallDir(), folder.Path());
  host.messages.clear();

  host.chosenPath.reset();
  procedure.Install();

  EXPECT_EQ(host.dialogFolders, (std::vector<std::string>{"c:\\", "c:\\"}));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(procedure.InstallDir(), folder.Path());
  EXPECT_TRUE(host.busyChanges.empty());
}

TEST_F(Install, AChosenPathThatCannotBeUsedIsRefusedAndNothingWritten) {
  const std::pair<TFileChoice, std::string> cases[] = {
      {fcNameUnusable,
       "The name of the Halvora folder contains characters that the installer cannot use.\r"
       "Please install Halvora into a folder with a plain name and try again."},
      {fcPathTooLong,
       "The path of the chosen file is too long for the installer.\r"
       "Please install Halvora into a folder with a shorter path and try again."},
  };
  PrepareHalvora();
  for (const auto& [choice, text] : cases) {
    SCOPED_TRACE(text);
    host.messages.clear();
    host.unusableChoice = choice;
    procedure.Install();
    ExpectRefused(text);
    EXPECT_EQ(procedure.InstallDir(), "");
    EXPECT_EQ(Names(), HalvoraFiles());
  }
}

TEST_F(Install, RefusesAnyFileButHalvoraExe) {
  PrepareHalvora();
  for (const std::string name : {"Setup.exe", "HALVORA.EXE.bak", "xHALVORA.EXE", "HALVORA"}) {
    SCOPED_TRACE(name);
    MakeFileOfSize(folder / name, kSupportedSize);
    host.messages.clear();
    host.chosenPath = folder.Path() + name;

    procedure.Install();

    ExpectRefused("Please select the file HALVORA.EXE");
    EXPECT_EQ(procedure.InstallDir(), "");
  }
}

TEST_F(Install, TakesTheExecutableNameInAnyCase) {
  PrepareHalvora(kSupportedSize, "halvora.exe");
  procedure.Install();
  ExpectInstalled();
}

TEST_F(Install, AFolderOnAServerIsAFolderLikeAnyOther) {
  host.chosenPath = "\\\\hv-no-such-server\\share\\Halvora\\HALVORA.EXE";
  procedure.Install();
  EXPECT_EQ(procedure.InstallDir(), "\\\\hv-no-such-server\\share\\Halvora\\");
  ExpectRefused("This version of Halvora does not support this plugin");
}

// --- The installation's fitness -----------------------------------------------------

struct SizeCase {
  std::int64_t size;
  bool accepted;
};

class InstallBySize : public Install, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(InstallBySize, AcceptsOnlyExecutablesWithinTheSupportedSizes) {
  PrepareHalvora(GetParam().size);
  procedure.Install();
  if (GetParam().accepted) {
    ExpectInstalled();
  } else {
    ExpectRefused("This version of Halvora does not support this plugin");
    EXPECT_EQ(Names(), HalvoraFiles());
  }
}

INSTANTIATE_TEST_SUITE_P(Bounds, InstallBySize,
                         ::testing::Values(SizeCase{5049999, false}, SizeCase{5050000, true},
                                           SizeCase{11050000, true}, SizeCase{11050001, false}),
                         [](const ::testing::TestParamInfo<SizeCase>& testInfo) {
                           return "Size" + std::to_string(testInfo.param.size);
                         });

TEST_F(Install, RefusesAnInstallationWithoutHelpFile) {
  MakeFileOfSize(folder / "HALVORA.EXE", kSupportedSize);
  MakeFileOfSize(folder / "Halvora.hlp", 100);
  host.chosenPath = folder.Path() + "HALVORA.EXE";
  host.selectedModel = "D750";

  procedure.Install();

  ExpectRefused("This version of Halvora does not support this plugin");
  EXPECT_EQ(procedure.InstallDir(), folder.Path());
}

TEST_F(Install, AFolderNamedLikeTheHelpFileIsNoHelpFile) {
  MakeFileOfSize(folder / "HALVORA.EXE", kSupportedSize);
  MakeFolder("HV7.chm");
  host.chosenPath = folder.Path() + "HALVORA.EXE";
  host.selectedModel = "D750";

  procedure.Install();

  ExpectRefused("This version of Halvora does not support this plugin");
  EXPECT_EQ(Names(), (std::set<std::string>{"HALVORA.EXE", "HV7.chm"}));
}

// --- Writing ------------------------------------------------------------------------

struct ModelCase {
  const char* model;
  const char* driver;
  const char* ptpSet;
};

class InstallModel : public Install, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(InstallModel, WritesTheDriverItsPtpLibraryAndTheCommonFiles) {
  PrepareHalvora();
  host.selectedModel = GetParam().model;
  // An older NkdPTP.dll, longer than the new one, is replaced as a whole.
  MakeFileOfSize(folder / "NkdPTP.dll", 200000);

  procedure.Install();

  ExpectInstalled();
  std::set<std::string> expected = HalvoraFiles();
  expected.insert({GetParam().driver, "NkdPTP.dll"});
  expected.insert(std::begin(kCommonFiles), std::end(kCommonFiles));
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(Read(GetParam().driver), Content("MD3", GetParam().driver));
  EXPECT_EQ(Read("NkdPTP.dll"), Content(GetParam().ptpSet, "NkdPTP.dll"));
  for (const std::string& name : kCommonFiles) {
    EXPECT_EQ(Read(name), Content("Other", name)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Models, InstallModel,
                         ::testing::Values(ModelCase{"D5600", "Type0016.md3", "PTP2"},
                                           ModelCase{"D850", "Type0022.md3", "PTP3"},
                                           ModelCase{"D810A", "Type0014.md3", "PTP1"},
                                           ModelCase{"D810", "Type0014.md3", "PTP1"},
                                           ModelCase{"D700+DSUSB", "Type0001.md3", "PTP1"},
                                           ModelCase{"D300+DSUSB", "Type0001.md3", "PTP1"},
                                           ModelCase{"D300S+DSUSB", "Type0001.md3", "PTP1"}),
                         [](const ::testing::TestParamInfo<ModelCase>& testInfo) {
                           std::string name = testInfo.param.model;
                           for (char& c : name) {
                             if (c == '+') c = '_';
                           }
                           return name;
                         });

TEST_F(Install, ADriverThatCannotBeWrittenStopsEverything) {
  PrepareHalvora();
  host.selectedModel = "D810";
  MakeFolder("Type0014.md3");

  procedure.Install();

  ExpectWriteFailure();
  std::set<std::string> expected = HalvoraFiles();
  expected.insert("Type0014.md3");
  EXPECT_EQ(Names(), expected);
}

TEST_F(Install, TheFilesBeforeAFailedCommonFileStay) {
  PrepareHalvora();
  host.selectedModel = "D5600";
  MakeFileOfSize(folder / "d_nikon.dll", 0);
  // Another program holds the third common file open and lets nobody share it.
  const TFileHandle holder(CreateFileA((folder / "d_nikon.dll").c_str(),
                                       GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.Valid());

  procedure.Install();

  ExpectWriteFailure();
  std::set<std::string> expected = HalvoraFiles();
  expected.insert({"Type0016.md3", "NkdPTP.dll", "HVNik.dll", "dcrnik.dll", "d_nikon.dll"});
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(Read("NkdPTP.dll"), Content("PTP2", "NkdPTP.dll"));
  EXPECT_EQ(Read("HVNik.dll"), Content("Other", "HVNik.dll"));
  EXPECT_EQ(Read("dcrnik.dll"), Content("Other", "dcrnik.dll"));
}

TEST_F(Install, AModelOutsideTheTableWritesNothing) {
  PrepareHalvora();
  host.selectedModel = "Model ...";

  procedure.Install();

  ExpectWriteFailure();
  EXPECT_EQ(Names(), HalvoraFiles());
}

TEST_F(Install, WithoutCommonFilesTheInstallFails) {
  PrepareHalvora();
  const auto none = MakeFileSet({});
  TInstallProcedure withoutCommonFiles(host, {*md3, *ptp1, *ptp2, *ptp3, *none}, table);

  withoutCommonFiles.Install();

  ExpectWriteFailure();
}

// --- The window is given back -------------------------------------------------------

class ThrowingHandler : public TObject {
 public:
  void Refuse(TObject*, std::string, int, bool&) { throw std::runtime_error("handler failed"); }
};

TEST_F(Install, TheWindowIsGivenBackWhenAnEventHandlerThrows) {
  PrepareHalvora();
  ThrowingHandler handler;
  other->SetOnExtract(TOnExtractEvent(&handler, &ThrowingHandler::Refuse));

  EXPECT_THROW(procedure.Install(), std::runtime_error);

  EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(host.installControlsDisabled);
}

}  // namespace
