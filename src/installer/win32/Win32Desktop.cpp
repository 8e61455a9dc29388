#include "installer/win32/Win32Desktop.h"

#include <vector>

namespace {

// A box owned by a window disables that owner alone, and the installer's owner is the
// hidden application window: the installer window would take clicks and keys behind
// the box. As a box without owner does for itself, every other enabled top-level
// window of the thread is disabled while the box shows; afterwards exactly those are
// enabled again and the focus goes back to the window that had it.
class TThreadWindowsDisabled {
 public:
  explicit TThreadWindowsDisabled(HWND owner) : owner_(owner), focus_(GetFocus()) {
    EnumThreadWindows(GetCurrentThreadId(), &TThreadWindowsDisabled::Collect,
                      reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~TThreadWindowsDisabled() {
    for (auto window = disabled_.rbegin(); window != disabled_.rend(); ++window) {
      if (IsWindow(*window)) EnableWindow(*window, TRUE);
    }
    if (focus_ && IsWindow(focus_)) SetFocus(focus_);
  }
  TThreadWindowsDisabled(const TThreadWindowsDisabled&) = delete;
  TThreadWindowsDisabled& operator=(const TThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto& scope = *reinterpret_cast<TThreadWindowsDisabled*>(self);
    // The box disables its owner itself; hidden windows take no input anyway.
    if (window != scope.owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      scope.disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND owner_;
  HWND focus_;
  std::vector<HWND> disabled_;
};

}  // namespace

bool TopLevelWindowExists(const std::string& title) {
  return FindWindowA(nullptr, title.c_str()) != nullptr;
}

UINT MessageBoxStyle(TMessageKind kind) {
  const UINT icon = kind == mkInformation ? MB_ICONINFORMATION : MB_ICONERROR;
  return icon | MB_TASKMODAL | MB_TOPMOST;
}

void ShowOwnedMessageBox(HWND owner, TMessageKind kind, const std::string& caption,
                         const std::string& text) {
  const TThreadWindowsDisabled otherWindows(owner);
  const UINT style = MessageBoxStyle(kind);
  if (MessageBoxA(owner, text.c_str(), caption.c_str(), style) == 0) {
    // Should the box fail alone as well, nothing is left that could tell the user.
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
  }
}
