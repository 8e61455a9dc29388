#include "installer/Win32Desktop.h"

bool TopLevelWindowExists(const std::string& title) {
  return FindWindowA(nullptr, title.c_str()) != nullptr;
}

UINT MessageBoxStyle(TMessageKind kind) {
  const UINT icon = kind == mkInformation ? MB_ICONINFORMATION : MB_ICONERROR;
  return icon | MB_TASKMODAL | MB_TOPMOST;
}

void ShowOwnedMessageBox(HWND owner, TMessageKind kind, const std::string& caption,
                         const std::string& text) {
  const UINT style = MessageBoxStyle(kind);
  if (MessageBoxA(owner, text.c_str(), caption.c_str(), style) == 0) {
    // Should the box fail alone as well, nothing is left that could tell the user.
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), style);
  }
}
