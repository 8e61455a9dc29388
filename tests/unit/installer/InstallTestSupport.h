// What the install procedure's tests stand on: a host that records what the
// procedure asks of the window and the desktop. Halvora's files come from
// support/ScratchFolder.h, the stored-file sets from StoredSetFixture.h.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/win32/InstallerHost.h"
#include "tests/unit/system/support/ScratchFolder.h"

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
  // A file is chosen whose path cannot be used (fcNameUnusable, fcPathTooLong).
  std::optional<TFileChoice> unusableChoice;
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

}  // namespace installer_test
