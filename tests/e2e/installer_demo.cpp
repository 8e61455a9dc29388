// The demo install that `make run` shows where there is no display: it drives the
// real installer through one install on the virtual screen, as a person would, and
// tells what happened, with a screenshot of each step.
//
//   installer_demo INSTALLER.EXE MODEL OUTPUT-FOLDER [HALVORA.EXE]
//
// Without HALVORA.EXE it installs into a throw-away Halvora 7 folder. Ends with 0
// when the installer reported success, 1 when it did not or a step failed, 2 for
// wrong arguments or a model the installer does not list.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "HalvoraFolder.h"
#include "InstallerSession.h"
#include "Screenshot.h"
#include "UiDriver.h"
#include "system/DirectorySearch.h"

namespace e2e {
namespace {

constexpr std::int64_t kDemoHalvoraSize = 6000000;  // a size Halvora 7 releases have
constexpr DWORD kInstallTimeoutMs = 60000;
constexpr DWORD kSettleMs = 400;  // lets the installer paint what it just opened

struct FileStamp {
  std::int64_t size = 0;
  std::uint64_t written = 0;  // last write time, in 100 ns steps
};

// The files of a folder (not its subfolders) with their size and last write time.
std::map<std::string, FileStamp> FilesIn(const std::string& folder) {
  std::map<std::string, FileStamp> files;
  for (TDirectorySearch search(folder + "*", faAnyFile); search.Found(); search.Next()) {
    if (search.IsFolder()) continue;
    const WIN32_FIND_DATAA& entry = search.Entry();
    files[search.Name()] = FileStamp{(std::int64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                                     (std::uint64_t(entry.ftLastWriteTime.dwHighDateTime) << 32) |
                                         entry.ftLastWriteTime.dwLowDateTime};
  }
  return files;
}

// The files that are new or rewritten since `before`, in the order they were written.
std::vector<std::pair<std::string, FileStamp>> WrittenSince(
    const std::map<std::string, FileStamp>& before, const std::map<std::string, FileStamp>& after) {
  std::vector<std::pair<std::string, FileStamp>> written;
  for (const auto& [name, stamp] : after) {
    const auto old = before.find(name);
    if (old == before.end() || old->second.written != stamp.written ||
        old->second.size != stamp.size) {
      written.emplace_back(name, stamp);
    }
  }
  std::stable_sort(written.begin(), written.end(), [](const auto& a, const auto& b) {
    return a.second.written < b.second.written;
  });
  return written;
}

std::string Upper(std::string text) {
  for (char& ch : text) ch = char(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

// A message box's text as lines of the terminal: its line breaks are lone CRs.
std::string AsTerminalText(std::string text) {
  for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
    text.replace(at, 1, "\n    ");
  }
  return text;
}

class Demo {
 public:
  explicit Demo(std::string outputFolder) : output_(std::move(outputFolder)) {
    CreateDirectoryA(output_.c_str(), nullptr);
  }

  // Saves a picture of the window (frame included) as the next step's screenshot.
  void Shoot(HWND window, const std::string& name, const std::string& what) {
    const std::string separator = output_.find('\\') != std::string::npos ? "\\" : "/";
    const std::string path = output_ + separator + name;
    Pump(kSettleMs);
    if (!SavePng(Capture(window, false), path)) throw std::runtime_error("cannot write " + path);
    shots_.emplace_back(path, what);
  }

  void PrintShots() const {
    std::printf("screenshots:\n");
    for (const auto& [path, what] : shots_)
      std::printf("    %-30s %s\n", path.c_str(), what.c_str());
  }

 private:
  std::string output_;
  std::vector<std::pair<std::string, std::string>> shots_;  // path, what it shows
};

int Run(const std::string& installerExe, const std::string& wanted, const std::string& output,
        std::string halvoraExe) {
  std::unique_ptr<HalvoraFolder> throwAway;
  if (halvoraExe.empty()) {
    throwAway = std::make_unique<HalvoraFolder>(kDemoHalvoraSize, true);
    halvoraExe = throwAway->Exe();
  }
  const std::string halvoraFolder = halvoraExe.substr(0, halvoraExe.find_last_of("\\/") + 1);
  Demo demo(output);

  InstallerSession installer(installerExe);
  std::printf("demo: the installer's window is open\n");
  SetForegroundWindow(installer.Form());
  demo.Shoot(installer.Form(), "1-start.png", "the window at start");

  const std::vector<std::string> entries = installer.Models();
  const std::vector<std::string> models(entries.begin() + std::min<std::size_t>(1, entries.size()),
                                        entries.end());  // after the placeholder
  const auto model = std::find_if(models.begin(), models.end(), [&](const std::string& name) {
    return Upper(name) == Upper(wanted);
  });
  if (model == models.end()) {
    std::string list = " ";
    std::size_t lineStart = 0;
    for (const auto& name : models) {
      if (list.size() - lineStart + name.size() > 76) {
        list += "\n ";
        lineStart = list.size();
      }
      list += " " + name;
    }
    std::fprintf(stderr, "demo: the installer has no model \"%s\"; its models are:\n%s\n",
                 wanted.c_str(), list.c_str());
    return 2;
  }
  installer.Choose(*model);
  std::printf("demo: model %s chosen\n", model->c_str());
  demo.Shoot(installer.Form(), "2-model.png", "the model chosen");

  const auto before = FilesIn(halvoraFolder);
  HWND dialog = installer.PressInstall();
  TypeFileName(dialog, halvoraExe);
  std::printf("demo: Install pressed; the open-file dialog is given %s\n", halvoraExe.c_str());
  demo.Shoot(dialog, "3-file-dialog.png", "the open-file dialog");
  PressOpen(dialog);

  const MessageBoxSeen box = WaitForMessageBox(installer.Program().Id(), kInstallTimeoutMs);
  if (!box.window) throw std::runtime_error("no message box came after the file was chosen");
  std::printf("demo: message box \"%s\":\n    %s\n", box.caption.c_str(),
              AsTerminalText(box.text).c_str());
  demo.Shoot(box.window, "4-message.png", "the message box");
  Dismiss(box.window);
  Pump(200);

  const auto written = WrittenSince(before, FilesIn(halvoraFolder));
  std::printf("demo: %zu files written into %s\n", written.size(), halvoraFolder.c_str());
  for (const auto& [name, stamp] : written) {
    std::printf("    %-18s %9lld bytes\n", name.c_str(), static_cast<long long>(stamp.size));
  }

  PostClick(installer.CloseButton());
  DWORD exitCode = 0;
  if (!installer.Program().WaitForExit(kInstallTimeoutMs, &exitCode)) {
    throw std::runtime_error("the installer did not end after Close");
  }
  std::printf("demo: Close pressed; the installer ended with exit code %lu\n", exitCode);
  demo.PrintShots();
  return box.caption == "Installation" ? 0 : 1;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: installer_demo INSTALLER.EXE MODEL OUTPUT-FOLDER [HALVORA.EXE]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each step shows as it happens
  try {
    return e2e::Run(argv[1], argv[2], argv[3], argc == 5 ? argv[4] : "");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "demo: %s\n", error.what());
    return 1;
  }
}
