#include "toolkit/win32/Application.h"

#include <stdexcept>

#include "toolkit/ToolkitSchemas.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/ToolkitBindings.h"

TApplication* Application = nullptr;

namespace {
constexpr char kWindowClass[] = "HvApplication";
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
  AddToolkitSchemas(schemas_);
  AddToolkitBindings(bindings_);
  Application = this;
}

TApplication::~TApplication() {
  // Forms go first: their windows are owned by the application window.
  DestroyComponents();
  // At the end of the program a window the system will not destroy goes with the process.
  if (window_ && !DestroyWindow(window_)) window_ = nullptr;
  if (Application == this) Application = nullptr;
}

void TApplication::AddClasses(const std::function<void(SchemaRegistry&)>& addSchemas,
                              const std::function<void(BindingRegistry&)>& addBindings) {
  if (addSchemas) addSchemas(schemas_);
  if (addBindings) addBindings(bindings_);
}

void TApplication::Initialize() {
  if (window_) return;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  icon_ =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  smallIcon_ =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(instance, kWindowClass, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TApplication::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon_;
    wc.hIconSm = smallIcon_;
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc))
      throw std::runtime_error("cannot register the application window class");
  }
  // A captioned popup without size: invisible on screen, yet it has a taskbar button.
  window_ = CreateWindowExA(0, kWindowClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (!window_) throw std::runtime_error("cannot create the application window");
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) SetWindowTextA(window_, title_.c_str());
}

TForm* TApplication::Adopt(TForm* form) {
  if (!mainForm_) mainForm_ = form;
  return form;
}

void TApplication::Run() {
  if (!mainForm_) return;
  if (window_) ShowWindow(window_, SW_SHOWNOACTIVATE);
  mainForm_->Show();
  // The system may refuse the foreground to a program started behind another; the
  // form is shown all the same and the taskbar button flashes.
  if (mainForm_->HandleAllocated() && !SetForegroundWindow(mainForm_->Handle()))
    FlashWindow(window_, TRUE);
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    Dispatch(message);
  }
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave it for Run()
      break;
    }
    Dispatch(message);
  }
}

bool TApplication::Dispatch(MSG& message) {
  // Keyboard navigation between the controls of the form that has the message.
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<TForm*>(TWinControl::FromHandle(root)) &&
      IsDialogMessageA(root, &message))
    return true;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

void TApplication::Minimize() {
  if (window_) ShowWindow(window_, SW_MINIMIZE);
}

LRESULT CALLBACK TApplication::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // Closing from the taskbar closes the main form, which ends the program.
      if (Application && Application->mainForm_) Application->mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_RESTORE && Application && Application->mainForm_) {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        if (Application->mainForm_->HandleAllocated() &&
            !SetForegroundWindow(Application->mainForm_->Handle())) {
          FlashWindow(window, TRUE);
        }
        return result;
      }
      break;
    case WM_ACTIVATE:
      // The application window is never the one to type into: pass activation on.
      if (LOWORD(wParam) != WA_INACTIVE && Application && Application->mainForm_ &&
          Application->mainForm_->HandleAllocated() && !IsIconic(window)) {
        SetActiveWindow(Application->mainForm_->Handle());
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
