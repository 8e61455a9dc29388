#include "toolkit/win32/RichEdit.h"

#include "system/DllSearch.h"
#include "system/winapi.h"

namespace {

// A rich edit library, loaded once and kept for the life of the process, as the
// windows of its class may live that long. Only the system folder's copy will do:
// a library of that name beside the program must never be loaded.
class TRichEditLibrary {
 public:
  TRichEditLibrary() {
    if ((module_ = LoadSystemLibrary("msftedit.dll")) != nullptr) {
      className_ = "RICHEDIT50W";
    } else if ((module_ = LoadSystemLibrary("riched20.dll")) != nullptr) {
      className_ = "RichEdit20A";
    }
  }
  ~TRichEditLibrary() {
    if (module_) FreeLibrary(module_);
  }
  TRichEditLibrary(const TRichEditLibrary&) = delete;
  TRichEditLibrary& operator=(const TRichEditLibrary&) = delete;
  const char* ClassName() const { return className_; }
  bool IsRichEdit() const { return module_ != nullptr; }

 private:
  HMODULE module_ = nullptr;
  const char* className_ = "EDIT";
};

const TRichEditLibrary& Library() {
  static const TRichEditLibrary library;
  return library;
}

}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

const char* TRichEdit::WindowClass() {
  return Library().ClassName();
}

std::string TRichEdit::Text() const {
  std::string text;
  for (int i = 0; i < lines_.Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines_.Strings(i);
  }
  return text;
}

void TRichEdit::SetLines(const TStringList& lines) {
  if (lines == lines_) return;
  lines_ = lines;
  if (HandleAllocated()) SetWindowTextA(Handle(), Text().c_str());
}

void TRichEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (HandleAllocated()) Perform(EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TRichEdit::RecreateLater() {
  if (!HandleAllocated()) return;
  DestroyHandle();
  HandleNeeded();
}

void TRichEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = Library().ClassName();
  params.Caption = Text();
  params.Style |= ES_MULTILINE;
  if (readOnly_) params.Style |= ES_READONLY;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
  if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
  if (borderStyle_ == bsSingleBorder) params.ExStyle |= WS_EX_CLIENTEDGE;
  // A rich edit window would hide its scroll bars while the text fits; the box
  // keeps them, greyed, like an EDIT window does.
  if (scrollBars_ != ssNone && Library().IsRichEdit()) params.Style |= ES_DISABLENOSCROLL;
}

void TRichEdit::HandleCreated() {
  if (Library().IsRichEdit()) {
    // The text mode can only change while the control is empty.
    if (plainText_) {
      SetWindowTextA(Handle(), "");
      Perform(EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
      SetWindowTextA(Handle(), Text().c_str());
    }
    Perform(EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
  }
  ApplyColors();
}

// A multi-line text claims every key from the window's keyboard handling. A read-only
// one has no use for Tab, Enter and Esc: those go on to the window, so that Tab moves
// the focus on and Esc and Enter do what they do elsewhere in it.
LRESULT TRichEdit::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
  if (message != WM_GETDLGCODE || !readOnly_ || lParam == 0) return result;
  const MSG& key = *reinterpret_cast<const MSG*>(lParam);
  const bool windowKey = key.wParam == VK_TAB || key.wParam == VK_RETURN || key.wParam == VK_ESCAPE;
  if (key.message != WM_KEYDOWN || !windowKey) return result;
  return result & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
}

void TRichEdit::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TRichEdit::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

// A rich edit window paints its own background and text colours; an EDIT window
// asks its parent (WM_CTLCOLOR*), which the base answers with Color and the font's.
void TRichEdit::ApplyColors() {
  if (!HandleAllocated() || !Library().IsRichEdit()) return;
  Perform(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ResolveColor(Color())));
  CHARFORMAT2A format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = static_cast<COLORREF>(ResolveColor(Font().Color()));
  Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}
