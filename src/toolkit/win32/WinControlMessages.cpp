// The message side of TWinControl: the one window procedure, the standard
// handling, and the notifications a parent passes on to the child they concern.
#include "toolkit/win32/WinControl.h"

namespace {
bool IsCtlColorMessage(UINT message) {
  return message == WM_CTLCOLORBTN || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
         message == WM_CTLCOLORSCROLLBAR || message == WM_CTLCOLORSTATIC;
}
// The notifications that ReflectToChild passes on to the child they concern.
bool IsReflectedToChild(UINT message) {
  return message == WM_COMMAND || message == WM_NOTIFY || message == WM_DRAWITEM ||
         message == WM_MEASUREITEM || IsCtlColorMessage(message);
}
}  // namespace

LRESULT CALLBACK TWinControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = nullptr;
  if (message == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (control && !control->Bind(window)) return FALSE;
  } else {
    control = FromHandle(window);
  }
  if (!control) return DefWindowProcA(window, message, wParam, lParam);
  return control->Dispatch(message, wParam, lParam);
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = WndProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) Unbind();
  return result;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!handle_) return 0;
  return defaultProc_ ? CallWindowProcA(defaultProc_, handle_, message, wParam, lParam)
                      : DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsReflectedToChild(message)) {
    bool handled = false;
    const LRESULT result = ReflectToChild(message, wParam, lParam, handled);
    return handled ? result : DefaultHandler(message, wParam, lParam);
  }
  switch (message) {
    case WM_SETFOCUS: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      TopLevelControl()->BroadcastFocusMoved(this);
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      RECT r;
      if (GetWindowRect(handle_, &r)) {
        const bool child = (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) != 0;
        if (child)
          MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
        StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
      }
      break;
    }
    case WM_ERASEBKGND:
      // The toolkit's own windows paint their background in Color; a subclassed
      // system window paints its own.
      if (!subclassed_) {
        RECT r;
        if (GetClientRect(handle_, &r) && ColorBrush())
          ::FillRect(reinterpret_cast<HDC>(wParam), &r, ColorBrush());
        return 1;
      }
      break;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  if (message == WM_COMMAND) {
    TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
    handled = child && child->CommandNotify(HIWORD(wParam));
    return 0;
  }
  if (message == WM_NOTIFY) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
    TWinControl* child = FromHandle(header.hwndFrom);
    LRESULT result = 0;
    handled = child && child->Notify(header, result);
    return result;
  }
  if (message == WM_DRAWITEM) {
    const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    TWinControl* child = item.CtlType == ODT_MENU ? nullptr : FromHandle(item.hwndItem);
    handled = child && child->DrawItem(item);
    return TRUE;
  }
  if (message == WM_MEASUREITEM) {
    // Sent while the child's window is being created, before it is bound: found by id.
    MEASUREITEMSTRUCT& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    TWinControl* child = item.CtlType == ODT_MENU ? nullptr : ChildWithId(item.CtlID);
    handled = child && child->MeasureItem(item);
    return TRUE;
  }
  if (IsCtlColorMessage(message)) {
    TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam));
    HBRUSH brush = child ? child->CtlColor(reinterpret_cast<HDC>(wParam)) : nullptr;
    handled = brush != nullptr;
    return reinterpret_cast<LRESULT>(brush);
  }
  return 0;
}

bool TWinControl::CommandNotify(WORD) {
  return false;
}

bool TWinControl::Notify(const NMHDR&, LRESULT&) {
  return false;
}

bool TWinControl::DrawItem(const DRAWITEMSTRUCT&) {
  return false;
}

bool TWinControl::MeasureItem(MEASUREITEMSTRUCT&) {
  return false;
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  ::SetTextColor(dc, static_cast<COLORREF>(ResolveColor(Font().Color())));
  SetBkColor(dc, static_cast<COLORREF>(ResolveColor(Color())));
  return ColorBrush();
}

HBRUSH TWinControl::ColorBrush() {
  if (!colorBrush_)
    colorBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(ResolveColor(Color()))));
  return colorBrush_.Get();
}

void TWinControl::FocusMoved(TWinControl*) {}

void TWinControl::BroadcastFocusMoved(TWinControl* focused) {
  FocusMoved(focused);
  for (TWinControl* child : tabList_) child->BroadcastFocusMoved(focused);
}

TWinControl* TWinControl::ChildWithId(UINT id) const {
  for (TWinControl* child : tabList_)
    if (child->controlId_ == id) return child;
  return nullptr;
}
