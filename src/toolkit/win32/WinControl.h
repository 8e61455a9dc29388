// TWinControl: a control with a window of its own. Win32 layer (hv::controls).
//
// How a control plugs in:
// - Override CreateParams(): name a system class in SubclassOf ("BUTTON",
//   "COMBOBOX", ...) to create that window and subclass it, or leave it empty to
//   get the toolkit's own class (OwnClassName, ClassStyle); set styles there.
// - Override WndProc() for messages of the control's own window; call the base
//   for everything else. All windows share one window procedure, which finds the
//   control bound to the window and calls its WndProc().
// - Notifications a parent receives about a child (WM_COMMAND, WM_NOTIFY,
//   WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) are passed on to the child's own
//   CommandNotify(), Notify(), DrawItem(), MeasureItem() and CtlColor().
// - HandleCreated() runs once the window exists (and its children's windows).
// - FocusMoved() is called on every windowed control of a top-level window
//   whenever the focus moves to one of them (buttons use it for the default look).
// The window is made on demand (Handle(), HandleNeeded(), or when the parent's
// window is made) and destroyed with the object. Windowed children are created
// in tab order, so the window system's tab navigation follows TabOrder.
#pragma once

#include <string>
#include <vector>

#include "system/winapi.h"
#include "toolkit/win32/Control.h"
#include "toolkit/win32/FontHandle.h"
#include "toolkit/win32/GdiHandles.h"

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created on first use with the parent's window first; null when
  // the window system refused to create it.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  bool HandleNeeded();
  void DestroyHandle();
  // The control bound to `window`, or null for a window that is not ours.
  static TWinControl* FromHandle(HWND window);

  // Child controls in the order they were placed on this control.
  const std::vector<TControl*>& Controls() const { return controls_; }
  // Windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return tabList_; }
  // The outermost windowed control this one sits on (itself when it has no parent).
  TWinControl* TopLevelControl();

  // The position in the parent's tab list; -1 without a parent.
  int TabOrder() const;
  void SetTabOrder(int tabOrder);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);

  bool Focused() const;
  void SetFocus();

  // Marks the whole control for painting with the window system's next paint.
  void Invalidate();
  // Invalidate, then paint before returning.
  void Repaint();
  // Sends a message to the control's window (0 without a window).
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

  TRect ClientRect() const override;
  // Moving to another parent destroys the window; it is made again on demand.
  void SetParent(TWinControl* parent) override;

 protected:
  struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // A window class of the system or of a library: the window is made from it
    // and then subclassed. Empty: the toolkit's own class below.
    std::string SubclassOf;
    std::string OwnClassName = "HvWindow";
    UINT ClassStyle = CS_DBLCLKS;
  };
  // The base gives a child window (WS_CHILD, WS_CLIPSIBLINGS, WS_VISIBLE,
  // WS_DISABLED, WS_TABSTOP from the properties) in the parent's window, or a
  // window without a parent for a control without one.
  virtual void CreateParams(TCreateParams& params);
  virtual void HandleCreated() {}

  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The standard handling: the subclassed class's procedure, or DefWindowProc.
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  // Notifications about this control, passed on by the parent. Return true when
  // handled; unhandled ones get the parent's standard handling.
  virtual bool CommandNotify(WORD code);
  virtual bool Notify(const NMHDR& header, LRESULT& result);
  virtual bool DrawItem(const DRAWITEMSTRUCT& item);
  virtual bool MeasureItem(MEASUREITEMSTRUCT& item);
  // The brush for the background of this control; the base sets the text colour
  // to the font's and the background to Color.
  virtual HBRUSH CtlColor(HDC dc);

  // Focus has just moved to `focused`, a control of the same top-level window.
  virtual void FocusMoved(TWinControl* focused);

  void BoundsChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void ColorChanged() override;

  // A brush in Color, kept until Color changes.
  HBRUSH ColorBrush();
  HFONT FontHandle() { return fontHandle_.For(Font()); }

 private:
  friend class TControl;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static ATOM RegisterOwnClass(const std::string& name, UINT classStyle);

  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateWindowNow();
  // Binds the window to this control; Subclass also routes a system class's
  // window through the shared window procedure.
  bool Bind(HWND window);
  bool Subclass(HWND window);
  void Unbind();
  void BroadcastFocusMoved(TWinControl* focused);
  TWinControl* ChildWithId(UINT id) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ApplyZOrderFromTabList();
  LRESULT ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = nullptr;
  bool subclassed_ = false;
  UINT controlId_ = 0;
  bool tabStop_ = false;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  TFontHandle fontHandle_;
  TBrushObject colorBrush_;
};
