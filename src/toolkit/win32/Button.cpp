#include "toolkit/win32/Button.h"

namespace {
// The button-type bits of a BUTTON window's style.
constexpr LONG_PTR kButtonTypeMask = 0x0F;

bool FocusIsOnButton() {
  return dynamic_cast<TButton*>(TWinControl::FromHandle(GetFocus())) != nullptr;
}
}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool isDefault) {
  if (isDefault == default_) return;
  default_ = isDefault;
  if (HandleAllocated()) ShowDefaultState(Focused() || (default_ && !FocusIsOnButton()));
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = "BUTTON";
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

bool TButton::CommandNotify(WORD code) {
  if (code != BN_CLICKED) return false;
  Click();
  return true;
}

void TButton::FocusMoved(TWinControl* focused) {
  ShowDefaultState(focused == this || (default_ && dynamic_cast<TButton*>(focused) == nullptr));
}

void TButton::ShowDefaultState(bool isDefault) {
  if (!HandleAllocated()) return;
  const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongPtrA(Handle(), GWL_STYLE) & kButtonTypeMask) != wanted)
    Perform(BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}
