// The real installer started as a program, with handles on the controls a person
// uses: the model list, Install and Close. The end-to-end tests and the demo
// install of `make run` both drive it through this.
#pragma once

#include <string>
#include <vector>

#include "UiDriver.h"

namespace e2e {

extern const char kInstallerCaption[];
extern const char kOpenDialogTitle[];

class InstallerSession {
 public:
  // Starts the installer and waits for its window; throws std::runtime_error when
  // the window does not appear.
  explicit InstallerSession(const std::string& installerExe);

  HWND Form() const { return form_; }
  HWND Combo() const { return combo_; }
  HWND InstallButton() const { return install_; }
  HWND CloseButton() const { return close_; }
  const Process& Program() const { return process_; }

  // The entries of the model list, placeholder included.
  std::vector<std::string> Models() const;
  // Selects the model as a person would; throws when the list has no such entry.
  void Choose(const std::string& model);

  // Presses Install and waits for the open-file dialog; throws when it does not come.
  HWND PressInstall();
  // Presses Install, answers the open-file dialog with the path and dismisses the
  // message box that follows (whose window is null when none came).
  MessageBoxSeen InstallWith(const std::string& exePath);

  // Presses Close and waits for the program to end; true when it ended with exit code
  // 0. Windows keeps a folder that a running program has as its current folder (the
  // open-file dialog makes the chosen file's folder that) from being renamed or
  // removed, so a test ends the installer before it does either.
  bool Close();

 private:
  Process process_;
  HWND form_ = nullptr;
  HWND combo_ = nullptr;
  HWND install_ = nullptr;
  HWND close_ = nullptr;
};

}  // namespace e2e
