#include "button/win32/MyButton.h"

#include <memory>

#include "toolkit/win32/GdiSurface.h"

static_assert(ItemState::Selected == ODS_SELECTED && ItemState::Disabled == ODS_DISABLED &&
                  ItemState::Focus == ODS_FOCUS,
              "item state bits pass straight from DRAWITEMSTRUCT");

TXMButton::TXMButton(TComponent* owner)
    : TButton(owner), TXMButtonCore(std::make_unique<TGdiSurface>()) {}

TXMButton::~TXMButton() = default;

void TXMButton::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style |= BS_OWNERDRAW;
}

void TXMButton::ShowDefaultState(bool isDefault) {
  ShowFocusState(isDefault);
}

bool TXMButton::DrawItem(const DRAWITEMSTRUCT& item) {
  // FaceCanvas is the GDI surface this button made for itself.
  auto& canvas = static_cast<TGdiSurface&>(FaceCanvas());
  canvas.Attach(item.hDC);
  DrawButton(item.itemState);
  canvas.Detach();
  return true;
}

bool TXMButton::MeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemWidth = static_cast<UINT>(Width());
  item.itemHeight = static_cast<UINT>(Height());
  return true;
}

void TXMButton::FontChanged() {
  TButton::FontChanged();
  Invalidate();
}

void TXMButton::EnabledChanged() {
  TButton::EnabledChanged();
  Invalidate();
}

void TXMButton::VisibleChanged() {
  TButton::VisibleChanged();
  Invalidate();
}

LRESULT TXMButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      // An owner-drawn BUTTON reports a double click instead of a click; taken
      // as a second press, a double click gives two clicks.
      Perform(WM_LBUTTONDOWN, wParam, lParam);
      return 0;
    case WM_GETDLGCODE:
      // Claims no keys, and does not say it is a push button: the dialog manager
      // would otherwise restyle it as a (default) push button on focus moves.
      return 0;
    default:
      return TButton::WndProc(message, wParam, lParam);
  }
}
