#include "toolkit/win32/Screen.h"

#include <algorithm>
#include <set>
#include <string>

#include "toolkit/win32/GdiHandles.h"

TScreen Screen;

namespace {

int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
  reinterpret_cast<std::set<std::string>*>(names)->insert(font->lfFaceName);
  return 1;
}

}  // namespace

HCURSOR TScreen::CursorHandle() const {
  LPCSTR shape = IDC_ARROW;
  if (cursor_ == crHourGlass) shape = IDC_WAIT;
  return LoadCursorA(nullptr, shape);
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  ::SetCursor(CursorHandle());
}

const TStringList& TScreen::Fonts() {
  if (fontsRead_) return fonts_;
  std::set<std::string> names;
  TWindowDC screen(nullptr);
  if (screen) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;  // every family in every character set
    EnumFontFamiliesExA(screen.Get(), &wanted, &CollectFontFamily, reinterpret_cast<LPARAM>(&names),
                        0);
  }
  for (const std::string& name : names) fonts_.Add(name);
  fontsRead_ = screen.Get() != nullptr;
  return fonts_;
}

int TScreen::PixelsPerInch() {
  TWindowDC screen(nullptr);
  return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}
