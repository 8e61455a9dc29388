// TForm: a top-level window built from a window description. Win32 layer.
//
// A form is owned by the application, and its window by the application's hidden
// window, which carries the taskbar button. A form class adds its event handlers
// to Handlers() in its constructor; LoadFromResource() then builds its components
// from the description stored under the class's name, runs ResolveComponents() (where
// a form class looks up the components it works with) and fires OnCreate. A form
// that cannot be built is left without components and the error is thrown.
//
// The keyboard works as in a dialog: the form keeps the control that last had the
// focus and gives the focus back to it whenever the form is activated or enabled
// again (to the first enabled tab stop at first, or when that control can no longer
// take it); Enter presses the focused button, and Esc calls CancelKey().
#pragma once

#include <cstdint>
#include <string>

#include "base/ByteStream.h"
#include "toolkit/Binding.h"
#include "toolkit/DescriptionFormat.h"
#include "toolkit/HandlerTable.h"
#include "toolkit/win32/WinControl.h"

enum TFormBorderStyle : std::uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize };
using TBorderIcons = std::uint32_t;  // bit n: TBorderIcon n
enum TPosition : std::uint8_t { poDesigned, poDefault, poScreenCenter };

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  // The size of the area inside the frame; the window's Width and Height follow.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
  void SetClientSize(int width, int height);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // Scaled: after loading, rescale bounds and fonts from PixelsPerInch to the screen's.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

  TNotifyEvent OnCreate;

  void Show() { SetVisible(true); }
  // Hides the form; closing the application's main form ends the message loop.
  void Close();

  // Builds the form from the description in the RCDATA resource resourceName, or
  // from a stream, with the classes the bindings know. EDescriptionError on failure.
  void LoadFromResource(const std::string& resourceName, const BindingRegistry& bindings);
  void LoadFromStream(TSpanStream& in, const BindingRegistry& bindings);

  THandlerTable& Handlers() { return handlers_; }

 protected:
  // After the components exist and before OnCreate: a form class finds its
  // components here (FindComponentAs). Throwing EDescriptionError fails the load.
  virtual void ResolveComponents() {}
  template <class T>
  T& FindComponentAs(const std::string& name) const {
    T* found = dynamic_cast<T*>(FindComponent(name));
    if (!found) throw EDescriptionError("the form has no " + name + " of the expected class");
    return *found;
  }

  void Loaded() override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void VisibleChanged() override;
  void FocusMoved(TWinControl* focused) override;

  // Esc, when the focused control does not claim it. The base does nothing.
  virtual void CancelKey() {}

 private:
  DWORD WindowStyle() const;
  DWORD WindowExStyle() const;
  void ApplyFrame();
  void ScaleBy(int numerator, int denominator);
  // The focus to the control that last had it, or to the first enabled tab stop.
  void RestoreFocus();
  TWinControl* FirstTabStop() const;
  // The dialog keys' commands (IDOK for Enter, IDCANCEL for Esc); true when handled.
  bool DialogKeyCommand(WPARAM wParam);

  THandlerTable handlers_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = 0x7;
  TPosition position_ = poDesigned;
  bool scaled_ = true;
  int pixelsPerInch_ = 96;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  // The control that last had the focus: its window, since the control may be gone.
  HWND lastFocus_ = nullptr;
};
