#include "UiDriver.h"

#include <cstring>
#include <stdexcept>

namespace e2e {

namespace {

constexpr int kFileNameField = 0x47C;  // the open-file dialog's file name combo box
constexpr int kMessageBoxText = 0xFFFF;

struct TopLevelSearch {
  DWORD processId;
  std::string className;
  std::string caption;
  bool dialogsOnly;
  bool enabledOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
  if (!search.className.empty() && ClassOf(window) != search.className) return TRUE;
  if (!search.caption.empty() && TextOf(window) != search.caption) return TRUE;
  if (search.dialogsOnly && ClassOf(window) != "#32770") return TRUE;
  if (search.enabledOnly && !IsWindowEnabled(window)) return TRUE;
  search.found.push_back(window);
  return TRUE;
}

struct ChildSearch {
  std::string className;
  std::string text;
  HWND found = nullptr;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<ChildSearch*>(param);
  if (ClassOf(window) == search.className &&
      (search.text.empty() || TextOf(window) == search.text)) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The focus and the active window of the thread that owns window.
GUITHREADINFO ThreadInfoOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return GUITHREADINFO{};
  return info;
}

}  // namespace

Process::Process(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string mutableLine = commandLine;
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info_)) {
    throw std::runtime_error("cannot start " + commandLine);
  }
  // The installer brings its window forward when it starts, as it does when a person
  // starts it; this program may pass on the right to do so.
  AllowSetForegroundWindow(info_.dwProcessId);
}

Process::~Process() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

HWND WaitForTopLevel(DWORD processId, const std::string& className, const std::string& caption,
                     DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    TopLevelSearch search{processId, className, caption, false, false, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    if (!search.found.empty()) return search.found.front();
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

std::vector<HWND> DialogsOf(DWORD processId, bool enabledOnly) {
  TopLevelSearch search{processId, "", "", true, enabledOnly, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
  ChildSearch search{className, text};
  EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int ComboCount(HWND combo) {
  return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

std::string ComboItem(HWND combo, int index) {
  // Asked in UTF-16: Wine hands a version 6 combo box's items to another process in
  // UTF-16 even for the ANSI message.
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(static_cast<std::size_t>(length));
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr);
  text.resize(std::strlen(text.c_str()));
  return text;
}

int ComboSelection(HWND combo) {
  return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

void SelectComboItem(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const int id = GetDlgCtrlID(combo);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void PostClick(HWND button) {
  PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

bool BringForward(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  AllowSetForegroundWindow(processId);
  SetForegroundWindow(window);
  Pump(200);
  return GetForegroundWindow() == window;
}

void PostMouseClick(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND FocusOf(HWND window) {
  return ThreadInfoOf(window).hwndFocus;
}

void PressKey(HWND window, WORD virtualKey) {
  const GUITHREADINFO info = ThreadInfoOf(window);
  HWND target = info.hwndFocus ? info.hwndFocus : info.hwndActive;
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, virtualKey, scanCode | 1);
  PostMessageA(target, WM_KEYUP, virtualKey, scanCode | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    for (HWND dialog : DialogsOf(processId)) {
      HWND text = GetDlgItem(dialog, kMessageBoxText);
      if (!text) continue;
      return MessageBoxSeen{dialog, GetWindow(dialog, GW_OWNER), TextOf(dialog), TextOf(text)};
    }
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return {};
}

void Dismiss(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

HWND WaitForOpenDialog(DWORD processId, const std::string& title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    for (HWND dialog : DialogsOf(processId)) {
      if (TextOf(dialog) == title && GetDlgItem(dialog, kFileNameField)) return dialog;
    }
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

void ChooseFile(HWND dialog, const std::string& path) {
  TypeFileName(dialog, path);
  PressOpen(dialog);
}

void TypeFileName(HWND dialog, const std::string& path) {
  SendMessageA(GetDlgItem(dialog, kFileNameField), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(path.c_str()));
}

void PressOpen(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void CancelDialog(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

void ChooseFile(HWND dialog, const std::wstring& path) {
  SendMessageW(GetDlgItem(dialog, kFileNameField), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(path.c_str()));
  PressOpen(dialog);
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

}  // namespace e2e
