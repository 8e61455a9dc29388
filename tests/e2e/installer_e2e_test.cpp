// The real installer, started as a program and used as a person would: through its
// window, the open-file dialog and the message boxes. Halvora folders are made for
// each scenario and removed afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "HalvoraFolder.h"
#include "InstallerSession.h"
#include "Screenshot.h"
#include "UiDriver.h"
#include "system/WidePath.h"
#include "tests/unit/support/FormSource.h"
#include "tests/unit/support/InstallerDescription.h"
#include "tests/unit/support/TestData.h"
#include "tests/unit/system/support/HeldFile.h"

namespace e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 15000;
constexpr std::int64_t kSupportedSize = 6000000;

const std::string kInstaller = TestDataPath("installer");
const std::string kPayload = TestDataPath("payload");  // one subfolder per stored-file set
const std::string kArtifacts = TestDataPath("artifacts");

const std::string kCaption = kInstallerCaption;
const std::string kDialogTitle = kOpenDialogTitle;
const std::string kCommonFiles[] = {"HVNik.dll", "dcrnik.dll", "d_nikon.dll", "nikon-readme.htm"};

// The installer under test, started anew for each scenario.
class Installer : public InstallerSession {
 public:
  Installer() : InstallerSession(kInstaller) {}
};

std::string Payload(const std::string& set, const std::string& name) {
  return ReadInputText(kPayload + "\\" + set + "\\" + name);
}

void ExpectInstalled(const HalvoraFolder& folder, const std::string& driver,
                     const std::string& ptpSet) {
  EXPECT_EQ(ReadInputText(folder.Path() + driver), Payload("FileStoMD3", driver)) << driver;
  EXPECT_EQ(ReadInputText(folder.Path() + "NkdPTP.dll"), Payload(ptpSet, "NkdPTP.dll")) << ptpSet;
  for (const auto& name : kCommonFiles) {
    EXPECT_EQ(ReadInputText(folder.Path() + name), Payload("FileStoOther", name)) << name;
  }
}

TEST(InstallerWindow, StartsWithTheModelListAndInstallDisabled) {
  Installer installer;
  RECT client{};
  GetClientRect(installer.Form(), &client);
  if (WineDpiOtherThan96() == 0) {  // Wine at another DPI frames the window otherwise
    EXPECT_EQ(client.right, 446);
    EXPECT_EQ(client.bottom, 326);
  }
  const LONG style = GetWindowLongA(installer.Form(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  // The taskbar button belongs to the hidden application window that owns the form.
  HWND application = GetWindow(installer.Form(), GW_OWNER);
  ASSERT_NE(application, nullptr);
  EXPECT_EQ(TextOf(application), "Halvora plugin");

  ASSERT_NE(installer.Combo(), nullptr);
  const TStringList models = DescribedModelTable();
  ASSERT_EQ(ComboCount(installer.Combo()), models.Count() + 1);
  EXPECT_EQ(ComboItem(installer.Combo(), 0), "Model ...");
  EXPECT_EQ(ComboItem(installer.Combo(), 1), models.Names(0));
  EXPECT_EQ(ComboItem(installer.Combo(), models.Count()), models.Names(models.Count() - 1));
  EXPECT_EQ(ComboSelection(installer.Combo()), 0);
  ASSERT_NE(installer.InstallButton(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(installer.InstallButton()));

  installer.Choose("D750");
  EXPECT_TRUE(IsWindowEnabled(installer.InstallButton()));
  installer.Choose("Model ...");
  EXPECT_FALSE(IsWindowEnabled(installer.InstallButton()));
}

TEST(InstallerWindow, CloseEndsTheProgram) {
  Installer installer;
  EXPECT_TRUE(installer.Close());
}

// A button's caption on the screen: a clear cluster of `ink` on the button's fill,
// horizontally centred in `text`, the rectangle DrawText centres it in. The part of
// `text` left of `from` (the glyph's) is not searched.
void ExpectCaption(const Screenshot& shot, const RECT& text, int from, COLORREF ink) {
  const COLORREF fill = shot.At(text.left, text.top);
  const InkFound found = FindInk(shot, {from, text.top, text.right, text.bottom}, ink, fill);
  ASSERT_GT(found.pixels, 20) << "no caption in the colour " << std::hex << ink << " on " << fill;
  EXPECT_NEAR(found.bounds.left + found.bounds.right, text.left + text.right, 6)
      << "the caption is not centred";
}

TEST(InstallerWindow, ButtonsArePaintedWithTheirFaces) {
  if (const int dpi = WineDpiOtherThan96())
    GTEST_SKIP() << "the faces' pixels are the layout's at 96 DPI; Wine runs at " << dpi;
  Installer installer;
  BringForward(installer.Form());  // on top, for Wine, where the screen is read
  Pump(300);
  const Screenshot shot = Capture(installer.Form(), true);
  ASSERT_EQ(shot.width, 446);
  CreateDirectoryA(kArtifacts.c_str(), nullptr);
  EXPECT_TRUE(SavePng(shot, kArtifacts + "\\installer-window.png"));

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto darker = [](COLORREF c, int by) {
    return RGB(std::max(0, GetRValue(c) - by), std::max(0, GetGValue(c) - by),
               std::max(0, GetBValue(c) - by));
  };
  // Close: 354, 288, 84 x 30. Its outer bottom edge is the face darkened by 0x80,
  // the outer left edge by 0x30.
  EXPECT_EQ(shot.At(354 + 40, 288 + 29), darker(face, 0x80));
  EXPECT_EQ(shot.At(354, 288 + 15), darker(face, 0x30));
  // Install (8, 288, 95 x 30) is disabled: not pressed, so its outer right edge is dark
  // too, and the greyed OK glyph at (10, 7) paints something other than the fill.
  EXPECT_EQ(shot.At(8 + 94, 288 + 15), darker(face, 0x80));
  const COLORREF fill = shot.At(8 + 3, 288 + 3);
  int glyphPixels = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) glyphPixels += shot.At(8 + 10 + x, 288 + 7 + y) != fill;
  EXPECT_GT(glyphPixels, 60);
  // The captions by colour family and place, so that any face and any smoothing pass:
  // Install's disabled one in the button-shadow colour, right of the glyph, Close's in
  // the text colour.
  ExpectCaption(shot, {8 + 21, 288 + 3, 8 + 92, 288 + 27}, 8 + 26, GetSysColor(COLOR_BTNSHADOW));
  ExpectCaption(shot, {354 + 3, 288 + 3, 354 + 81, 288 + 27}, 354 + 3,
                GetSysColor(COLOR_WINDOWTEXT));
}

struct ModelCase {
  const char* model;
  const char* driver;
  const char* ptpSet;
};

class SuccessfulInstall : public testing::TestWithParam<ModelCase> {};

TEST_P(SuccessfulInstall, WritesTheDriverThePtpLibraryAndTheCommonFiles) {
  const ModelCase& c = GetParam();
  HalvoraFolder folder(kSupportedSize, true);
  Installer installer;
  installer.Choose(c.model);
  const MessageBoxSeen box = installer.InstallWith(folder.Exe());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, "Installation");
  EXPECT_EQ(box.text, "Nikon plugin successfully installed");
  EXPECT_EQ(TextOf(box.owner), "Halvora plugin");
  ExpectInstalled(folder, c.driver, c.ptpSet);
  EXPECT_FALSE(IsWindowEnabled(installer.InstallButton()));
  EXPECT_FALSE(IsWindowEnabled(installer.Combo()));
  EXPECT_TRUE(IsWindowEnabled(installer.Form()));
  // The keyboard goes on working: the focus is on the one control left to use.
  EXPECT_EQ(FocusOf(installer.Form()), installer.CloseButton());
}

INSTANTIATE_TEST_SUITE_P(Models, SuccessfulInstall,
                         testing::Values(ModelCase{"D5600", "Type0016.md3", "FileStoPTP2"},
                                         ModelCase{"D850", "Type0022.md3", "FileStoPTP3"},
                                         ModelCase{"D810A", "Type0014.md3", "FileStoPTP1"},
                                         ModelCase{"D300S+DSUSB", "Type0001.md3", "FileStoPTP1"}),
                         [](const testing::TestParamInfo<ModelCase>& param) {
                           std::string name = param.param.model;
                           for (char& ch : name)
                             ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return name;
                         });

// The D750's install into folder succeeded: its files are the payload's, and no
// temporary file is left beside them and Halvora's own two.
void ExpectTheD750Installed(const HalvoraFolder& folder, const MessageBoxSeen& box) {
  EXPECT_EQ(box.text, "Nikon plugin successfully installed");
  ExpectInstalled(folder, "Type0015.md3", "FileStoPTP1");
  EXPECT_EQ(FolderEntries(folder.Path()).size(), 2u + 6u) << "a temporary file is left";
}

// Each file is written under a temporary name longer than its own: in a folder this
// long, the last common file's temporary name is past the ANSI calls' limit.
TEST(SuccessfulInstall, IntoAFolderWhosePathIs240CharactersLong) {
  HalvoraFolder folder(kSupportedSize, true, 240);
  ASSERT_EQ(folder.Path().size(), 240u);
  // The dialog hands the path back in its long spelling: only a folder spelt so already
  // is as long as it was measured (the scratch folder is, where the code page holds it).
  if (LongSpelling(WidePath(folder.Exe())) != WidePath(folder.Exe()))
    GTEST_SKIP() << "the temporary folder has no long spelling in this code page";
  Installer installer;
  installer.Choose("D750");
  ExpectTheD750Installed(folder, installer.InstallWith(folder.Exe()));
}

struct FolderNameCase {
  const char* label;
  const wchar_t* name;    // the Halvora folder's name
  const char* lookAlike;  // a folder beside it, a Halvora installation as well
};

class FolderNamed : public testing::TestWithParam<FolderNameCase> {};

// Whether the ANSI calls can name path: it is spelled exactly in the system code page,
// or it has a short (8.3) name that is. Windows volumes may have short names turned
// off (Wine always makes them); the installer then refuses such a folder by name.
bool AnsiCallsCanName(const std::wstring& path) {
  const auto exact = [](const std::wstring& text) {
    if (GetACP() == CP_UTF8) return true;
    BOOL usedDefault = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr,
                               &usedDefault) > 0 &&
           !usedDefault;
  };
  if (exact(path)) return true;
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return length > 0 && length < MAX_PATH && exact(std::wstring(shortPath, length));
}

// The files go where the user pointed, whether or not the system code page holds every
// character of the folder's name; never into a folder whose name merely looks alike.
TEST_P(FolderNamed, GetsTheFilesAndItsLookAlikeNothing) {
  const FolderNameCase& c = GetParam();
  HalvoraFolder folder(kSupportedSize, true);
  const std::string plain = folder.Path().substr(0, folder.Path().size() - 1);
  const std::string parent = plain.substr(0, plain.rfind('\\') + 1);
  const std::string lookAlike = parent + c.lookAlike + "\\";
  ASSERT_TRUE(CreateDirectoryA(lookAlike.c_str(), nullptr));
  MakeFileOfSize(lookAlike + "HALVORA.EXE", kSupportedSize);
  MakeFileOfSize(lookAlike + "HV7.chm", 4096);
  const std::wstring named = WidePath(parent) + c.name;
  ASSERT_TRUE(MoveFileW(WidePath(plain).c_str(), named.c_str()));

  Installer installer;
  installer.Choose("D750");
  PostClick(installer.InstallButton());
  HWND dialog = WaitForOpenDialog(installer.Program().Id(), kDialogTitle, kStepTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, named + L"\\HALVORA.EXE");  // typed as a person types it
  const MessageBoxSeen box = WaitForMessageBox(installer.Program().Id(), kStepTimeoutMs);
  if (box.window) Dismiss(box.window);
  const bool nameable = AnsiCallsCanName(named);
  // The chosen folder is the installer's current folder now, which Windows does not
  // let anyone rename while the installer runs.
  ASSERT_TRUE(installer.Close());
  ASSERT_TRUE(MoveFileW(named.c_str(), WidePath(plain).c_str()));  // back under a name to check
  std::printf("[   INFO   ] folder %s: %s\n", c.label,
              nameable ? "the ANSI calls name it (exactly or by its short name)"
                       : "no ANSI name (no short names on this volume): refusal checked");
  if (nameable) {
    EXPECT_EQ(box.text, "Nikon plugin successfully installed");
    ExpectInstalled(folder, "Type0015.md3", "FileStoPTP1");
  } else {
    EXPECT_EQ(box.text,
              "The name of the Halvora folder contains characters that the installer cannot "
              "use.\rPlease install Halvora into a folder with a plain name and try again.");
    EXPECT_FALSE(PathExists(folder.Path() + "NkdPTP.dll"));
  }
  EXPECT_EQ(FolderEntries(lookAlike), (std::vector<std::string>{"HALVORA.EXE", "HV7.chm"}));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FolderNamed,
    testing::Values(FolderNameCase{"OutsideTheCodePage", L"Halvor\u0101", "Halvora"},
                    FolderNameCase{"InTheCodePage", L"Halvor\u00e9", "Halvore"}),
    [](const testing::TestParamInfo<FolderNameCase>& param) { return param.param.label; });

// The installer in front, as a person's keyboard finds it: the cases about the keyboard
// and the focus bring its window forward first (where Windows refuses, they say so and
// go on: the keys are posted to the focused window all the same).
class ActiveInstaller : public Installer {
 public:
  ActiveInstaller() {
    if (!BringForward(Form()))
      std::printf("[   INFO   ] the installer's window could not be brought to the front\n");
  }
};

// Tab, and the window that has the focus once the installer has moved it (it handles
// the key in its own time, later on a busy machine).
HWND PressTab(const Installer& installer) {
  const HWND before = FocusOf(installer.Form());
  PressKey(installer.Form(), VK_TAB);
  for (DWORD waited = 0; waited < kStepTimeoutMs && FocusOf(installer.Form()) == before;
       waited += 50)
    Pump(50);
  return FocusOf(installer.Form());
}

// The keyboard alone: keys go to the focused window of the installer's thread, as a
// keyboard's do.
TEST(KeyboardOfTheActiveWindow, FocusStartsOnCloseAndTabGoesThroughTheTabStops) {
  ActiveInstaller installer;
  const auto tab = [&] { return PressTab(installer); };
  EXPECT_EQ(FocusOf(installer.Form()), installer.CloseButton());  // Install is disabled
  installer.Choose("D750");
  EXPECT_EQ(tab(), installer.Combo());  // the welcome text is no tab stop
  EXPECT_EQ(tab(), installer.InstallButton());
  // A click puts the focus into the welcome text, and Tab goes on from there.
  const HWND welcomeText =
      ChildWindowFromPointEx(installer.Form(), POINT{142 + 20, 49 + 20}, CWP_SKIPINVISIBLE);
  PostMouseClick(welcomeText, 20, 20);
  Pump(200);
  ASSERT_EQ(FocusOf(installer.Form()), welcomeText);
  EXPECT_EQ(tab(), installer.Combo());
}

TEST(KeyboardOfTheActiveWindow, EnterPressesTheFocusedButtonAndEscCloses) {
  ActiveInstaller installer;
  installer.Choose("D750");
  for (int press = 0; press < 2; ++press) PressTab(installer);
  ASSERT_EQ(FocusOf(installer.Form()), installer.InstallButton());
  PressKey(installer.Form(), VK_RETURN);
  HWND dialog = WaitForOpenDialog(installer.Program().Id(), kDialogTitle, kStepTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  CancelDialog(dialog);
  Pump(300);
  EXPECT_EQ(FocusOf(installer.Form()), installer.InstallButton());
  PressKey(installer.Form(), VK_ESCAPE);
  DWORD exitCode = 1;
  ASSERT_TRUE(installer.Program().WaitForExit(kStepTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 0u);
}

// A refused install shows one error, writes nothing and leaves Install usable.
void ExpectRefused(Installer& installer, const MessageBoxSeen& box, const std::string& text,
                   const HalvoraFolder& folder) {
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.text, text);
  EXPECT_FALSE(PathExists(folder.Path() + "NkdPTP.dll"));
  EXPECT_TRUE(IsWindowEnabled(installer.InstallButton()));
  EXPECT_TRUE(IsWindowEnabled(installer.Combo()));
}

// The box also holds the installer window: nothing there takes input while it shows,
// and a click that still reaches Install starts nothing. Afterwards the window is as
// it was, with the focus where it was.
TEST(RefusedInstall, WhileHalvoraIsRunning) {
  HalvoraFolder folder(kSupportedSize, true);
  HWND halvora = CreateWindowA("STATIC", "Veltro Halvora 7.0", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(halvora, nullptr);
  Installer installer;
  installer.Choose("D750");
  const HWND focused = FocusOf(installer.Form());
  ASSERT_NE(focused, nullptr);
  PostClick(installer.InstallButton());
  const MessageBoxSeen box = WaitForMessageBox(installer.Program().Id(), kStepTimeoutMs);
  EXPECT_FALSE(IsWindowEnabled(installer.Form()));
  PostClick(installer.InstallButton());
  Pump(500);
  EXPECT_EQ(DialogsOf(installer.Program().Id(), false).size(), 1u) << "a second box";
  if (box.window) Dismiss(box.window);
  DestroyWindow(halvora);
  Pump(300);
  ExpectRefused(installer, box, "Halvora is running.\rPlease close Halvora and try again.", folder);
  EXPECT_TRUE(DialogsOf(installer.Program().Id(), false).empty());
  EXPECT_TRUE(IsWindowEnabled(installer.Form()));
  EXPECT_EQ(FocusOf(installer.Form()), focused);
}

struct RefusedChoice {
  const char* label;
  std::int64_t exeSize;
  bool withHelpFile;
  const char* chosen;  // the file chosen in the Halvora folder
  const char* text;
};

class RefusedChoiceInstall : public testing::TestWithParam<RefusedChoice> {};

TEST_P(RefusedChoiceInstall, WhenTheChosenFileIsNotASupportedHalvora) {
  const RefusedChoice& c = GetParam();
  HalvoraFolder folder(c.exeSize, c.withHelpFile);
  MakeFileOfSize(folder.Path() + "Setup.exe", 1000);
  Installer installer;
  installer.Choose("D750");
  ExpectRefused(installer, installer.InstallWith(folder.Path() + c.chosen), c.text, folder);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RefusedChoiceInstall,
    testing::Values(RefusedChoice{"NotHalvora", kSupportedSize, true, "Setup.exe",
                                  "Please select the file HALVORA.EXE"},
                    RefusedChoice{"UnsupportedSize", 5049999, true, "HALVORA.EXE",
                                  "This version of Halvora does not support this plugin"},
                    RefusedChoice{"NoHelpFile", kSupportedSize, false, "HALVORA.EXE",
                                  "This version of Halvora does not support this plugin"}),
    [](const testing::TestParamInfo<RefusedChoice>& param) { return param.param.label; });

TEST(RefusedInstall, CancelShowsNothing) {
  HalvoraFolder folder(kSupportedSize, true);
  Installer installer;
  installer.Choose("D750");
  PostClick(installer.InstallButton());
  HWND dialog = WaitForOpenDialog(installer.Program().Id(), kDialogTitle, kStepTimeoutMs);
  ASSERT_NE(dialog, nullptr);
  CancelDialog(dialog);
  EXPECT_EQ(WaitForMessageBox(installer.Program().Id(), 1500).window, nullptr);
  EXPECT_TRUE(IsWindowEnabled(installer.InstallButton()));
  EXPECT_TRUE(IsWindowEnabled(installer.Form()));
}

// Held for good, as a running program holds its library: the install gives up after
// a few seconds of waiting for it.
TEST(RefusedInstall, WhenACommonFileIsHeldOpen) {
  HalvoraFolder folder(kSupportedSize, true);
  MakeFileOfSize(folder.Path() + "dcrnik.dll", 10);
  auto held = std::make_unique<THeldFile>(folder.Path() + "dcrnik.dll");
  Installer installer;
  installer.Choose("D750");
  const MessageBoxSeen box = installer.InstallWith(folder.Exe());
  held.reset();
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.text, "Cannot write data to: " + folder.Path() +
                          "\rPlease check that Halvora is not running");
  // Files before the failing one stay written; the held file keeps its old bytes.
  EXPECT_EQ(ReadInputText(folder.Path() + "HVNik.dll"), Payload("FileStoOther", "HVNik.dll"));
  EXPECT_EQ(ReadInputText(folder.Path() + "dcrnik.dll"), std::string(10, '\0'));
  EXPECT_FALSE(PathExists(folder.Path() + "d_nikon.dll"));
  EXPECT_EQ(FolderEntries(folder.Path()).size(), 2u + 4u) << "a temporary file is left";
  EXPECT_TRUE(IsWindowEnabled(installer.InstallButton()));
}

// Held for a moment while the installer writes it, as a virus scanner holds a file it
// has just seen: the install waits and goes on.
TEST(SuccessfulInstall, WhileACommonFileIsHeldForAMoment) {
  HalvoraFolder folder(kSupportedSize, true);
  MakeFileOfSize(folder.Path() + "dcrnik.dll", 10);
  THeldFile held(folder.Path() + "dcrnik.dll");
  held.LetGoAfterSeeing(folder.Path() + "dcrnik.dll.~*", 1000);
  Installer installer;
  installer.Choose("D750");
  ExpectTheD750Installed(folder, installer.InstallWith(folder.Exe()));
}

// A damaged download: one byte of the payload flipped in a copy of the executable.
TEST(DamagedInstaller, SaysSoAndEndsWithoutShowingTheWindow) {
  const std::vector<std::uint8_t> file = ReadInputFile(kInstaller);
  const PeRange description = FindInstallerDescription(PeImage(file)).description;
  ASSERT_GT(description.size, 5000000u);
  std::string bytes(file.begin(), file.end());
  bytes[description.offset + 5000000] ^= 0x20;

  HalvoraFolder folder(kSupportedSize, true);
  const std::string copy = folder.Path() + "DamagedInstaller.exe";
  WriteWholeFile(copy, bytes);

  Process damaged("\"" + copy + "\"");
  const MessageBoxSeen box = WaitForMessageBox(damaged.Id(), kStartTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, "Error");
  EXPECT_NE(box.text.find("damaged"), std::string::npos) << box.text;
  EXPECT_NE(box.text.find("download"), std::string::npos) << box.text;
  EXPECT_EQ(WaitForTopLevel(damaged.Id(), "", kCaption, 0), nullptr);
  Dismiss(box.window);
  DWORD exitCode = 0;
  ASSERT_TRUE(damaged.WaitForExit(kStepTimeoutMs, &exitCode));
  EXPECT_NE(exitCode, 0u);
  EXPECT_FALSE(PathExists(folder.Path() + "NkdPTP.dll"));
  EXPECT_FALSE(PathExists(folder.Path() + "HVNik.dll"));
}

}  // namespace
}  // namespace e2e
