#include "window_test_support.h"

#include "toolkit/win32/GdiHandles.h"

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
  TScreenPixels result;
  RECT client;
  if (!GetClientRect(window, &client)) return result;
  TWindowDC screen(window);
  TMemoryDC memory(screen.Get());
  if (!screen || !memory) return result;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TBitmapObject image(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!image || !bits) return result;
  {
    TSelection selected(memory.Get(), image.Get());
    if (!BitBlt(memory.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY))
      return result;
    GdiFlush();
  }
  result.Width = client.right;
  result.Height = client.bottom;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < client.right * client.bottom; ++i) {
    const std::uint32_t c = pixels[i];
    result.Pixels.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
  }
  return result;
}

LONG_PTR ButtonType(HWND button) {
  return GetWindowLongPtrA(button, GWL_STYLE) & 0x0F;
}
