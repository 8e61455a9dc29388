// TComboBox: a drop-down list (COMBOBOX window). Win32 layer. Items and ItemIndex
// are kept while the window does not exist and given to it when it is made;
// OnChange fires when the user picks another item.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/StringList.h"
#include "toolkit/win32/WinControl.h"

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int itemHeight);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count; }

  const TStringList& Items() const { return items_; }
  void SetItems(const TStringList& items);
  void AddItem(const std::string& item);

  // -1: nothing selected. Follows the user's choice (CBN_SELCHANGE).
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // The selected item's text (empty with none).
  std::string Text() const;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  bool CommandNotify(WORD code) override;

 private:
  void FillWindow();
  void ApplyItemHeight();

  TComboBoxStyle style_ = csDropDown;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
  TStringList items_;
  int itemIndex_ = -1;
};
