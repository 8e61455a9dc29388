// TLabel: a line of text on its form (a STATIC window), in the form's font or its own.
// Win32 layer. An ampersand underlines the next character, as on a button.
#pragma once

#include "toolkit/win32/WinControl.h"

class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* owner) : TWinControl(owner) {}

 protected:
  void CreateParams(TCreateParams& params) override;
};
