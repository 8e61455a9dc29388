#include "installer/win32/InstallProcedure.h"

#include <cstdint>
#include <optional>

#include "installer/ModelTable.h"
#include "storage/win32/FileStorage.h"
#include "system/syshelpers.h"

namespace {

// Halvora's main window titles, newest release first.
constexpr const char* kHalvoraWindowTitles[] = {
    "Veltro Halvora 8.0",
    "Veltro Halvora 7.0",
    "Veltro Halvora 6.0",
    "Veltro Halvora 5.0",
};

constexpr const char* kInitialFolder = "c:\\";
constexpr const char* kExecutableName = "HALVORA.EXE";
constexpr const char* kExecutableForSizeTest = "halvora.exe";
constexpr const char* kHelpFileMask = "HV*.chm";
// Releases that load the plugin ship executables within these sizes.
constexpr std::int32_t kSmallestExecutable = 5050000;
constexpr std::int32_t kLargestExecutable = 11050000;
constexpr const char* kPtpLibrary = "NkdPTP.dll";

constexpr const char* kInformationCaption = "Installation";
constexpr const char* kErrorCaption = "Error";
constexpr const char* kHalvoraRunningText =
    "Halvora is running.\rPlease close Halvora and try again.";
constexpr const char* kNotTheExecutableText = "Please select the file HALVORA.EXE";
constexpr const char* kUnsupportedText = "This version of Halvora does not support this plugin";
constexpr const char* kInstalledText = "Nikon plugin successfully installed";
constexpr const char* kUnusableFolderNameText =
    "The name of the Halvora folder contains characters that the installer cannot use.\r"
    "Please install Halvora into a folder with a plain name and try again.";
constexpr const char* kPathTooLongText =
    "The path of the chosen file is too long for the installer.\r"
    "Please install Halvora into a folder with a shorter path and try again.";

std::string CannotWriteText(const std::string& installDir) {
  return "Cannot write data to: " + installDir + "\rPlease check that Halvora is not running";
}

// Only ASCII letters change: the name is compared with an ASCII constant, and the
// trail bytes of double-byte characters must stay as they are.
std::string UpperCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Keeps the window disabled under the hourglass while files are written, and gives
// it back even when an exception leaves the install early.
class BusyWindow {
 public:
  explicit BusyWindow(InstallerHost& host) : host_(host) { host_.SetBusy(true); }
  ~BusyWindow() { host_.SetBusy(false); }
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

 private:
  InstallerHost& host_;
};

// Marks the install as running for as long as it runs, however it ends.
class RunningInstall {
 public:
  explicit RunningInstall(bool& running) : running_(running) { running_ = true; }
  ~RunningInstall() { running_ = false; }
  RunningInstall(const RunningInstall&) = delete;
  RunningInstall& operator=(const RunningInstall&) = delete;

 private:
  bool& running_;
};

}  // namespace

TInstallProcedure::TInstallProcedure(InstallerHost& host, const TPayloadSets& sets,
                                     const TTXTDat& modelTable)
    : host_(host), sets_(sets), modelTable_(modelTable) {}

void TInstallProcedure::Install() {
  if (running_) return;
  const RunningInstall running(running_);

  if (HalvoraIsRunning()) {
    ShowError(kHalvoraRunningText);
    return;
  }

  std::string chosenPath;
  switch (host_.ChooseFile(kInitialFolder, chosenPath)) {
    case fcCancelled:
      return;  // no failure
    case fcNameUnusable:
      // Any other spelling of the path could name a look-alike folder.
      ShowError(kUnusableFolderNameText);
      return;
    case fcPathTooLong:
      // Silence would look like a Cancel the user never pressed.
      ShowError(kPathTooLongText);
      return;
    case fcChosen:
      break;
  }

  const std::string folder = FolderPart(chosenPath);
  if (UpperCaseAscii(chosenPath.substr(folder.size())) != kExecutableName) {
    ShowError(kNotTheExecutableText);
    return;
  }
  installDir_ = IncludeTrailingBackslash(folder);

  if (!InstallationSupportsPlugin()) {
    ShowError(kUnsupportedText);
    return;
  }

  const BusyWindow busy(host_);
  if (InstallModelFiles() && InstallCommonFiles()) {
    host_.ShowMessage(mkInformation, kInformationCaption, kInstalledText);
    // One install per run: a second one needs a fresh start of the program.
    host_.DisableInstallControls();
  } else {
    ShowError(CannotWriteText(installDir_));
  }
}

bool TInstallProcedure::InstallModelFiles() {
  const std::string model = host_.SelectedModel();
  const std::optional<std::string> driver = DriverForModel(modelTable_.Lines(), model);
  if (!driver) return false;
  if (!sets_.FileStoMD3.ExtractByName(*driver, installDir_ + *driver)) return false;
  return PtpSetFor(model).ExtractByName(kPtpLibrary, installDir_ + kPtpLibrary);
}

bool TInstallProcedure::InstallCommonFiles() {
  bool result = false;
  for (const auto& file : sets_.FileStoOther.Files()) {
    result = sets_.FileStoOther.ExtractByName(file->Name(), installDir_ + file->Name());
    if (!result) break;
  }
  return result;
}

bool TInstallProcedure::HalvoraIsRunning() {
  for (const char* title : kHalvoraWindowTitles) {
    if (host_.IsWindowOpen(title)) return true;
  }
  return false;
}

bool TInstallProcedure::InstallationSupportsPlugin() const {
  // Both probes run before either decides: one message covers every reason.
  const std::int32_t size = FirstMatchSize(installDir_ + kExecutableForSizeTest);
  const bool hasHelpFile = !ListNames(installDir_, kHelpFileMask, false).empty();
  return size >= kSmallestExecutable && size <= kLargestExecutable && hasHelpFile;
}

TFileStorage& TInstallProcedure::PtpSetFor(const std::string& model) {
  switch (PtpSetForModel(model)) {
    case psPTP2:
      return sets_.FileStoPTP2;
    case psPTP3:
      return sets_.FileStoPTP3;
    case psPTP1:
      break;
  }
  return sets_.FileStoPTP1;
}

void TInstallProcedure::ShowError(const std::string& text) {
  host_.ShowMessage(mkError, kErrorCaption, text);
}
