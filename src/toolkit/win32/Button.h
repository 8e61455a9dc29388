// TButton: the standard push button (a BUTTON window), 75 x 25 and a tab stop.
// Win32 layer (hv::controls).
//
// A button that draws itself derives from TButton, adds its style bits in
// CreateParams() and handles DrawItem(), which its parent passes on. OnClick
// fires on BN_CLICKED. ShowDefaultState() is the default-state hook: it runs on
// every focus move in the window with true when the button should look like the
// window's default button (it has the focus, or a control that is not a button
// has it while this button is the Default one).
#pragma once

#include "toolkit/win32/WinControl.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  // The window's default button: it looks the default one while the focus is on
  // a control that is not a button.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);

 protected:
  // BS_PUSHBUTTON, or BS_DEFPUSHBUTTON for the Default button.
  void CreateParams(TCreateParams& params) override;
  bool CommandNotify(WORD code) override;
  void FocusMoved(TWinControl* focused) override;
  // The base switches the window between BS_DEFPUSHBUTTON and BS_PUSHBUTTON.
  virtual void ShowDefaultState(bool isDefault);

 private:
  bool default_ = false;
};
