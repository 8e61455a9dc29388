#include "toolkit/win32/WinControl.h"

#include <algorithm>

namespace {
// The window property that binds a window to its control.
constexpr char kControlProperty[] = "HvControl";
// Child ids start above IDOK and IDCANCEL, which the dialog manager sends itself.
constexpr UINT kFirstControlId = 100;
constexpr UINT kLastControlId = 0xFFFF;

UINT NextControlId() {
  static UINT next = kFirstControlId;
  const UINT id = next;
  next = next == kLastControlId ? kFirstControlId : next + 1;
  return id;
}

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // Children may outlive this part of the object (their owner deletes them
  // later); they must not reach back into it.
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

bool TWinControl::HandleNeeded() {
  if (handle_) return true;
  if (Parent() && !Parent()->HandleNeeded()) return false;
  // Making the parent's window makes its children's, this one's included.
  if (handle_) return true;
  return CreateWindowNow();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  // WM_NCDESTROY unbinds; a window the system will not destroy is let go here.
  if (!DestroyWindow(handle_)) Unbind();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropA(window, kControlProperty)) : nullptr;
}

TWinControl* TWinControl::TopLevelControl() {
  TWinControl* control = this;
  while (control->Parent()) control = control->Parent();
  return control;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int tabOrder) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  const int last = static_cast<int>(list.size()) - 1;
  const int wanted = std::clamp(tabOrder, 0, last);
  const int current = TabOrder();
  if (wanted == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + wanted, this);
  Parent()->ApplyZOrderFromTabList();
}

void TWinControl::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  if (!handle_) return;
  const LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
  SetWindowLongPtrA(handle_, GWL_STYLE,
                    tabStop ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP}));
}

bool TWinControl::Focused() const {
  return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  if (HandleNeeded()) ::SetFocus(handle_);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint() {
  if (handle_ && InvalidateRect(handle_, nullptr, TRUE)) UpdateWindow(handle_);
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return handle_ ? SendMessageA(handle_, message, wParam, lParam) : 0;
}

TRect TWinControl::ClientRect() const {
  RECT r;
  if (handle_ && GetClientRect(handle_, &r)) return {0, 0, r.right, r.bottom};
  return TControl::ClientRect();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Caption();
  if (Parent()) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = Parent()->handle_;
  }
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
}

ATOM TWinControl::RegisterOwnClass(const std::string& name, UINT classStyle) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (const ATOM existing = static_cast<ATOM>(GetClassInfoExA(Instance(), name.c_str(), &wc)))
    return existing;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof(wc);
  wc.style = classStyle;
  wc.lpfnWndProc = &TWinControl::WindowProc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = name.c_str();
  return RegisterClassExA(&wc);
}

bool TWinControl::CreateWindowNow() {
  TCreateParams params;
  CreateParams(params);
  const bool ownClass = params.SubclassOf.empty();
  if (ownClass && !RegisterOwnClass(params.OwnClassName, params.ClassStyle)) return false;

  HMENU id = nullptr;
  if (params.Style & WS_CHILD) {
    if (controlId_ == 0) controlId_ = NextControlId();
    id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId_));
  }
  HWND window = CreateWindowExA(
      params.ExStyle, ownClass ? params.OwnClassName.c_str() : params.SubclassOf.c_str(),
      params.Caption.c_str(), params.Style, params.X, params.Y, params.Width, params.Height,
      params.WndParent, id, Instance(), ownClass ? this : nullptr);
  if (!window) return false;
  if (!ownClass && !Subclass(window)) {
    DestroyWindow(window);
    return false;
  }

  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  for (TWinControl* child : tabList_) child->HandleNeeded();
  ApplyZOrderFromTabList();
  HandleCreated();
  return true;
}

bool TWinControl::Bind(HWND window) {
  if (!SetPropA(window, kControlProperty, this)) return false;
  handle_ = window;
  subclassed_ = false;
  defaultProc_ = DefWindowProcA;
  return true;
}

bool TWinControl::Subclass(HWND window) {
  if (!Bind(window)) return false;
  const LONG_PTR previous =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProc));
  if (!previous) {
    Unbind();
    return false;
  }
  subclassed_ = true;
  defaultProc_ = reinterpret_cast<WNDPROC>(previous);
  return true;
}

void TWinControl::Unbind() {
  if (handle_) RemovePropA(handle_, kControlProperty);
  handle_ = nullptr;
  defaultProc_ = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) return;
  tabList_.push_back(windowed);
  if (handle_ && windowed->HandleNeeded()) ApplyZOrderFromTabList();
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
}

void TWinControl::ApplyZOrderFromTabList() {
  // The window system's tab navigation walks siblings in z-order.
  HWND previous = HWND_TOP;
  for (TWinControl* child : tabList_) {
    if (!child->handle_) continue;
    if (!SetWindowPos(child->handle_, previous, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER))
      return;
    previous = child->handle_;
  }
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent != Parent()) DestroyHandle();
  TControl::SetParent(parent);
}

void TWinControl::BoundsChanged() {
  if (handle_)
    SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::CaptionChanged() {
  if (handle_) SetWindowTextA(handle_, Caption().c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
  for (TControl* child : controls_) child->FollowParentFont();
}

void TWinControl::ColorChanged() {
  colorBrush_.Reset();
  Invalidate();
  for (TControl* child : controls_) child->FollowParentColor();
}
