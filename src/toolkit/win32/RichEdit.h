// TRichEdit: a multi-line text box, here used read-only for the welcome text.
// Win32 layer. It is a rich edit window of the system's newest rich edit library
// (msftedit, then riched20); without either it falls back to a multi-line EDIT
// window, which shows the same plain text.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/StringList.h"
#include "toolkit/win32/WinControl.h"

enum TBorderStyle : std::uint8_t {
  bsNoBorder,
  bsSingleBorder
};  // bsNone / bsSingle in descriptions
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TRichEdit : public TWinControl {
 public:
  explicit TRichEdit(TComponent* owner);

  const TStringList& Lines() const { return lines_; }
  void SetLines(const TStringList& lines);
  // The lines joined with CR LF, as the window holds them.
  std::string Text() const;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    RecreateLater();
  }
  bool PlainText() const { return plainText_; }
  void SetPlainText(bool plainText) {
    plainText_ = plainText;
    RecreateLater();
  }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle scrollBars) {
    scrollBars_ = scrollBars;
    RecreateLater();
  }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    RecreateLater();
  }

  // The window class in use: "RICHEDIT50W", "RichEdit20A" or "EDIT".
  static const char* WindowClass();

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void ColorChanged() override;
  void FontChanged() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // These settings live in the window's style: a window that exists is made anew.
  void RecreateLater();
  void ApplyColors();

  TStringList lines_;
  TBorderStyle borderStyle_ = bsSingleBorder;
  bool plainText_ = false;
  bool readOnly_ = false;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
};
