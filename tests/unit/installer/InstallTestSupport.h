// What the install procedure's tests stand on: a host that records what the
// procedure asks of the window and the desktop, Halvora's files made cheaply, and
// small stored-file sets built in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "installer/win32/InstallerHost.h"
#include "storage/win32/FileStorage.h"
#include "support/ScratchFolder.h"

namespace installer_test {

struct ShownMessage {
  TMessageKind kind;
  std::string caption;
  std::string text;
  bool whileBusy;
};

// Answers the procedure from its settings and writes down every question.
class RecordingHost : public InstallerHost {
 public:
  // Settings.
  std::set<std::string> openWindowTitles;  // answered without asking the desktop
  bool askTheDesktop = false;              // answer IsWindowOpen through FindWindowA
  std::optional<std::string> chosenPath;   // nothing: the user cancels
  bool chosenNameUnusable = false;         // a file is chosen that the code page cannot spell
  std::string selectedModel;

  // What happened.
  std::vector<std::string> titlesAsked;
  std::vector<std::string> dialogFolders;
  std::vector<ShownMessage> messages;
  std::vector<bool> busyChanges;
  bool installControlsDisabled = false;

  bool IsWindowOpen(const std::string& title) override;
  TFileChoice ChooseFile(const std::string& initialFolder, std::string& path) override;
  void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) override;
  void SetBusy(bool busy) override { busyChanges.push_back(busy); }
  std::string SelectedModel() override { return selectedModel; }
  void DisableInstallControls() override { installControlsDisabled = true; }

  bool Busy() const { return !busyChanges.empty() && busyChanges.back(); }
};

// A stored-file set read from an "SFP1" container that holds these files.
std::unique_ptr<TFileStorage> MakeFileSet(
    const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace installer_test
