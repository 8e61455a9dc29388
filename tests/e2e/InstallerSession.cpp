#include "InstallerSession.h"

#include <stdexcept>

namespace e2e {

namespace {
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 15000;
}  // namespace

const char kInstallerCaption[] = "Halvora plugin installation";
const char kOpenDialogTitle[] = "Please open the file: Halvora.exe";

InstallerSession::InstallerSession(const std::string& installerExe)
    : process_("\"" + installerExe + "\"") {
  form_ = WaitForTopLevel(process_.Id(), "", kInstallerCaption, kStartTimeoutMs);
  if (!form_) throw std::runtime_error("the installer window did not appear");
  combo_ = FindChild(form_, "ComboBox");
  install_ = FindChild(form_, "Button", "Install");
  close_ = FindChild(form_, "Button", "Close");
}

std::vector<std::string> InstallerSession::Models() const {
  std::vector<std::string> models;
  for (int i = 0; i < ComboCount(combo_); ++i) models.push_back(ComboItem(combo_, i));
  return models;
}

void InstallerSession::Choose(const std::string& model) {
  const std::vector<std::string> models = Models();
  for (std::size_t i = 0; i < models.size(); ++i) {
    if (models[i] == model) {
      SelectComboItem(combo_, static_cast<int>(i));
      return;
    }
  }
  throw std::runtime_error("no model " + model);
}

HWND InstallerSession::PressInstall() {
  PostClick(install_);
  HWND dialog = WaitForOpenDialog(process_.Id(), kOpenDialogTitle, kStepTimeoutMs);
  if (!dialog) throw std::runtime_error("the open-file dialog did not appear");
  return dialog;
}

MessageBoxSeen InstallerSession::InstallWith(const std::string& exePath) {
  ChooseFile(PressInstall(), exePath);
  MessageBoxSeen box = WaitForMessageBox(process_.Id(), kStepTimeoutMs);
  if (box.window) Dismiss(box.window);
  Pump(200);
  return box;
}

bool InstallerSession::Close() {
  PostClick(close_);
  DWORD exitCode = 1;
  return process_.WaitForExit(kStepTimeoutMs, &exitCode) && exitCode == 0;
}

}  // namespace e2e
