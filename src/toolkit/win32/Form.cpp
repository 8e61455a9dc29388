#include "toolkit/win32/Form.h"

#include "toolkit/DescriptionLoader.h"
#include "toolkit/win32/Application.h"
#include "toolkit/win32/Button.h"
#include "toolkit/win32/ResourceStream.h"
#include "toolkit/win32/Screen.h"

namespace {
bool Has(TBorderIcons icons, TBorderIcon icon) {
  return (icons >> icon) & 1u;
}
}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  ApplyFrame();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  ApplyFrame();
}

DWORD TForm::WindowStyle() const {
  DWORD style = WS_CLIPCHILDREN;
  switch (borderStyle_) {
    case bsNone:
      style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      style |= WS_CAPTION | DS_MODALFRAME;
      break;
  }
  if (borderStyle_ != bsNone && Has(borderIcons_, biSystemMenu)) {
    style |= WS_SYSMENU;
    if (Has(borderIcons_, biMinimize)) style |= WS_MINIMIZEBOX;
    if (Has(borderIcons_, biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD TForm::WindowExStyle() const {
  // Tab navigation of the message loop looks into windows marked as control parents.
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (borderStyle_ == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
  return exStyle;
}

// The frame changes the outer size that a client size needs.
void TForm::ApplyFrame() {
  if (HandleAllocated()) {
    SetWindowLongPtrA(Handle(), GWL_STYLE,
                      static_cast<LONG_PTR>(WindowStyle() | (Visible() ? WS_VISIBLE : 0)));
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(WindowExStyle()));
    // Without the frame change the old frame stays drawn; the size below still holds.
    if (!SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED)) {
      Invalidate();
    }
  }
  if (clientWidth_ > 0 || clientHeight_ > 0) SetClientSize(clientWidth_, clientHeight_);
}

int TForm::ClientWidth() const {
  return HandleAllocated() ? ClientRect().Right : clientWidth_;
}
int TForm::ClientHeight() const {
  return HandleAllocated() ? ClientRect().Bottom : clientHeight_;
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  RECT r{0, 0, width, height};
  if (!AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle())) return;
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

// The form shows the program's icon in the task switcher, like the taskbar button.
void TForm::HandleCreated() {
  TWinControl::HandleCreated();
  // A form made visible is activated while its window is made, before its controls
  // exist: they take the focus now.
  if (GetActiveWindow() == Handle()) RestoreFocus();
  if (!Application) return;
  if (HICON big = Application->Icon(false))
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (HICON small = Application->Icon(true)) {
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WindowStyle() | (Visible() ? WS_VISIBLE : 0) | (Enabled() ? 0 : WS_DISABLED);
  params.ExStyle = WindowExStyle();
  params.OwnClassName = "HvForm";
  params.WndParent = Application ? Application->Handle() : nullptr;
  if (position_ == poScreenCenter) {
    params.X = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
    params.Y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  } else if (position_ == poDefault) {
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
  }
}

void TForm::VisibleChanged() {
  // A form's window is made when it is first shown, and made visible then.
  if (Visible() && !HandleAllocated()) {
    HandleNeeded();
    return;
  }
  TWinControl::VisibleChanged();
}

void TForm::Close() {
  SetVisible(false);
  if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::FocusMoved(TWinControl* focused) {
  TWinControl::FocusMoved(focused);
  if (focused != this && focused->HandleAllocated()) lastFocus_ = focused->Handle();
}

TWinControl* TForm::FirstTabStop() const {
  for (TWinControl* control : TabList()) {
    if (control->TabStop() && control->Enabled() && control->Visible() &&
        control->HandleAllocated()) {
      return control;
    }
  }
  return nullptr;
}

void TForm::RestoreFocus() {
  if (!HandleAllocated()) return;
  HWND target = lastFocus_;
  if (!target || !IsChild(Handle(), target) || !IsWindowEnabled(target) ||
      !IsWindowVisible(target)) {
    TWinControl* first = FirstTabStop();
    target = first ? first->Handle() : Handle();
  }
  ::SetFocus(target);
}

bool TForm::DialogKeyCommand(WPARAM wParam) {
  // The controls' ids start above IDOK and IDCANCEL: these come from the dialog keys.
  if (HIWORD(wParam) != BN_CLICKED) return false;
  if (LOWORD(wParam) == IDOK) {
    // Enter presses the focused button, as a button that claims no keys cannot.
    auto* button = dynamic_cast<TButton*>(FromHandle(GetFocus()));
    if (button && button->TopLevelControl() == this && button->Enabled()) button->Click();
    return true;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    CancelKey();
    return true;
  }
  return false;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_ENABLE:
      // Disabling took the focus away; the active form gets it back.
      if (wParam && GetActiveWindow() == Handle()) {
        const HWND focus = GetFocus();
        if (!focus || focus == Handle()) RestoreFocus();
      }
      break;
    case WM_COMMAND:
      if (DialogKeyCommand(wParam)) return 0;
      break;
    case WM_SETCURSOR:
      // The screen's cursor, while one is set, wins over every window of the form.
      if (Screen.Cursor() != crDefault && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(Screen.CursorHandle());
        return TRUE;
      }
      break;
    case WM_SYSCOMMAND:
      // The taskbar button belongs to the application's window: minimising the
      // main form minimises that window, which hides the forms it owns.
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return 0;
      }
      break;
    default:
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (!scaled_) return;
  const int screenPixelsPerInch = TScreen::PixelsPerInch();
  if (screenPixelsPerInch > 0 && pixelsPerInch_ > 0 && screenPixelsPerInch != pixelsPerInch_) {
    ScaleBy(screenPixelsPerInch, pixelsPerInch_);
    pixelsPerInch_ = screenPixelsPerInch;
  }
}

void TForm::ScaleBy(int numerator, int denominator) {
  const auto scale = [&](int value) { return MulDiv(value, numerator, denominator); };
  Font().SetHeight(scale(Font().Height()));
  for (TControl* control : Controls()) {
    control->SetBounds(scale(control->Left()), scale(control->Top()), scale(control->Width()),
                       scale(control->Height()));
    if (!control->ParentFont()) control->Font().SetHeight(scale(control->Font().Height()));
  }
  SetClientSize(scale(clientWidth_), scale(clientHeight_));
}

void TForm::LoadFromResource(const std::string& resourceName, const BindingRegistry& bindings) {
  TSpanStream in = ResourceSpan(resourceName);
  LoadFromStream(in, bindings);
}

void TForm::LoadFromStream(TSpanStream& in, const BindingRegistry& bindings) {
  LoadDescription(*this, in, bindings, handlers_);
  try {
    ResolveComponents();
    OnCreate(this);
  } catch (...) {
    DestroyComponents();
    throw;
  }
}
