#include "window_test_support.h"

#include "tests/e2e/Screenshot.h"

TTestWindow::TTestWindow() : TWinControl(nullptr) {
  SetBounds(40, 40, 340, 160);
  SetColor(clBtnFace);
}

void TTestWindow::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.OwnClassName = "HvTestWindow";
}

void TTestWindow::Show() {
  HandleNeeded();
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  PumpMessages();
}

TEditBox::TEditBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 80, 22);
  SetTabStop(true);
  SetColor(clWindow);
}

void TEditBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = "EDIT";
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 60, 20);
}

void TStaticText::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = "STATIC";
}

void PumpMessages(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

TScreenPixels CaptureClient(HWND window) {
  const e2e::Screenshot shot = e2e::Capture(window, true);
  TScreenPixels result;
  result.Width = shot.width;
  result.Height = shot.height;
  result.Pixels.reserve(shot.pixels.size());
  for (const std::uint32_t c : shot.pixels)
    result.Pixels.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
  return result;
}

LONG_PTR ButtonType(HWND button) {
  return GetWindowLongPtrA(button, GWL_STYLE) & 0x0F;
}
