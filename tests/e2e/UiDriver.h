// Drives another process's windows the way a person would, through window
// messages: finds its windows, reads and sets controls, clicks, answers dialogs.
#pragma once

#include <string>
#include <vector>

#include "system/winapi.h"

namespace e2e {

// A started program; the destructor ends it if it is still running.
class Process {
 public:
  explicit Process(const std::string& commandLine);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // Waits up to timeoutMs for the process to end; true and its exit code when it did.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;

 private:
  PROCESS_INFORMATION info_{};
};

// The visible top-level windows of a process with a given class (empty: any) and
// caption (empty: any), polled until one appears or timeoutMs pass.
HWND WaitForTopLevel(DWORD processId, const std::string& className, const std::string& caption,
                     DWORD timeoutMs);
// The visible top-level dialogs (#32770) of a process right now: the enabled ones,
// or all of them.
std::vector<HWND> DialogsOf(DWORD processId, bool enabledOnly = true);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// The first child (at any depth) of a class whose text matches (empty text: any).
HWND FindChild(HWND parent, const std::string& className, const std::string& text = "");

// Combo box: item count, item texts, selection; SelectItem also tells the parent,
// as a person's choice would.
int ComboCount(HWND combo);
std::string ComboItem(HWND combo, int index);
int ComboSelection(HWND combo);
void SelectComboItem(HWND combo, int index);

// Clicks a button as its parent learns of a click: the BN_CLICKED notification with
// the button's id and window, posted, so that nothing waits for what the click starts
// (it may open a modal loop). BM_CLICK would press the button with the mouse's
// messages, which Windows may drop when the window is not the active one.
void PostClick(HWND button);
// A press of the left mouse button at a point of the window's client area.
void PostMouseClick(HWND window, int x, int y);

// Makes window the foreground window, as a person's click on it would, where Windows
// lets this program do so (the kit's runner passes the right on to every program it
// starts, and each Process to the program it starts); false when it is not in front.
// Only the cases about the keyboard and activation need it.
bool BringForward(HWND window);

// The keyboard as a person uses it: a key goes down and up in the window that has the
// focus in window's thread (its active window when no window has it).
void PressKey(HWND window, WORD virtualKey);
// The window that has the focus in window's thread.
HWND FocusOf(HWND window);

// A message box: its caption and text; Dismiss presses its OK button.
struct MessageBoxSeen {
  HWND window = nullptr;
  HWND owner = nullptr;
  std::string caption;
  std::string text;
};
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs);
void Dismiss(HWND dialog);

// The open-file dialog: types the path into its file name field and presses Open
// (ChooseFile, or the two steps apart), or presses Cancel.
HWND WaitForOpenDialog(DWORD processId, const std::string& title, DWORD timeoutMs);
void ChooseFile(HWND dialog, const std::string& path);
void TypeFileName(HWND dialog, const std::string& path);
void PressOpen(HWND dialog);
void CancelDialog(HWND dialog);
// ChooseFile with a path that the system code page may not hold.
void ChooseFile(HWND dialog, const std::wstring& path);

// Lets the other process handle what was posted to it.
void Pump(DWORD ms);

}  // namespace e2e
