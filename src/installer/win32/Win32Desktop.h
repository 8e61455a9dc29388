// The desktop around the installer on Windows: finding Halvora's main windows and
// showing the install's outcome. The installer window's InstallerHost answers
// IsWindowOpen and ShowMessage with these.
#pragma once

#include <string>

#include "installer/win32/InstallerHost.h"
#include "system/winapi.h"

// Whether a top-level window with exactly this title exists, whatever its class.
bool TopLevelWindowExists(const std::string& title);

// The message box style of each kind: the kind's icon, modal to the task, above
// every other window.
UINT MessageBoxStyle(TMessageKind kind);

// A message box owned by owner (the application window, which carries the taskbar
// button); returns when the user has closed it. While it shows, the thread's other
// top-level windows take no input; afterwards they are as they were and the focus is
// back where it was. Should the box fail to open with that owner, it opens without
// one: the outcome has to reach the user.
void ShowOwnedMessageBox(HWND owner, TMessageKind kind, const std::string& caption,
                         const std::string& text);
