#include "toolkit/win32/ComboBox.h"

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  if (HandleAllocated()) {
    // The style of a combo box is fixed when its window is made.
    const int index = ItemIndex();
    DestroyHandle();
    itemIndex_ = index;
    HandleNeeded();
  }
}

void TComboBox::SetItemHeight(int itemHeight) {
  itemHeight_ = itemHeight;
  ApplyItemHeight();
}

// The item height is the list's; the selection field of a list the system draws
// keeps the height its font gives it.
void TComboBox::ApplyItemHeight() {
  if (!HandleAllocated() || itemHeight_ <= 0) return;
  Perform(CB_SETITEMHEIGHT, 0, itemHeight_);
}

void TComboBox::SetItems(const TStringList& items) {
  items_ = items;
  itemIndex_ = -1;
  FillWindow();
}

void TComboBox::AddItem(const std::string& item) {
  items_.Add(item);
  if (HandleAllocated()) Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
  if (HandleAllocated()) Perform(CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

std::string TComboBox::Text() const {
  const int index = ItemIndex();
  return index >= 0 && index < items_.Count() ? items_.Strings(index) : std::string();
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SubclassOf = "COMBOBOX";
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  params.Style |= style_ == csSimple         ? CBS_SIMPLE
                  : style_ == csDropDownList ? CBS_DROPDOWNLIST
                                             : CBS_DROPDOWN;
  // The window's height includes its dropped-down list.
  if (style_ != csSimple) params.Height = Height() + itemHeight_ * dropDownCount_ + 2;
}

void TComboBox::HandleCreated() {
  ApplyItemHeight();
  FillWindow();
}

void TComboBox::FillWindow() {
  if (!HandleAllocated()) return;
  Perform(CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items_.Lines())
    Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  Perform(CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

bool TComboBox::CommandNotify(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  itemIndex_ = static_cast<int>(Perform(CB_GETCURSEL, 0, 0));
  OnChange(this);
  return true;
}
