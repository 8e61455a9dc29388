// The installer window built from the description inside the real executable, shown
// on the (virtual) screen, with the application object around it. The executable is
// mapped as data: its resources are read in place, as the program reads its own.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "installer/win32/Unit1.h"
#include "system/winapi.h"
#include "toolkit/win32/Application.h"

namespace window_test {

// The installer executable, mapped for its resources only; unmapped on destruction.
class TInstallerImage {
 public:
  TInstallerImage();
  ~TInstallerImage();
  TInstallerImage(const TInstallerImage&) = delete;
  TInstallerImage& operator=(const TInstallerImage&) = delete;
  HMODULE Module() const { return module_; }

 private:
  HMODULE module_;
};

class InstallerWindow : public testing::Test {
 protected:
  void SetUp() override;

  TFormServicePack& Form() { return *form_; }
  HWND FormWindow() { return form_->Handle(); }
  // Chooses an entry of the model list as a person does: the list changes, and
  // tells the window.
  void ChooseModel(int index);
  // Handles what is waiting for at least the given time, so that what was painted
  // reaches the screen.
  static void Pump(int milliseconds);

  TInstallerImage image_;  // outlives the application and its forms
  TApplication application_;
  TFormServicePack* form_ = nullptr;
};

}  // namespace window_test
