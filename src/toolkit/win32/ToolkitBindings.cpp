#include "toolkit/win32/ToolkitBindings.h"

#include <vector>

#include "toolkit/BmpFile.h"
#include "toolkit/win32/Bevel.h"
#include "toolkit/win32/Button.h"
#include "toolkit/win32/ComboBox.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/Image.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/OpenDialog.h"
#include "toolkit/win32/RichEdit.h"

void ReadBmpProperty(TStream& in, TBitmap& bitmap) {
  const std::size_t size = static_cast<std::size_t>(in.Remaining());
  std::vector<std::uint8_t> copy;
  const std::uint8_t* bytes = in.Lend(size);  // in place when the description is in memory
  if (!bytes) {
    copy.resize(size);
    in.ReadBuffer(copy.data(), size);
    bytes = copy.data();
  }
  if (!LoadBmp(bytes, size, bitmap))
    throw EDescriptionError("the picture is not an uncompressed 24- or 32-bit BMP");
}

void WriteBmpProperty(TStream& out, const TBitmap& bitmap) {
  const std::vector<std::uint8_t> bytes = SaveBmp(bitmap);
  out.Write(bytes.data(), bytes.size());
}

namespace {

void BindFontAndControls(BindingRegistry& bindings) {
  ClassBinder<TFont>(bindings, "TFont")
      .Property("Charset", &TFont::Charset, &TFont::SetCharset)
      .Property("Color", &TFont::Color, &TFont::SetColor)
      .Property("Height", &TFont::Height, &TFont::SetHeight)
      .Property(
          "Name", [](TFont& f) { return f.Name(); }, &TFont::SetName)
      .Property(
          "Style", [](TFont& f) { return f.Style().Bits(); },
          [](TFont& f, std::uint8_t bits) { f.SetStyle(TFontStyles::FromBits(bits)); });

  ClassBinder<TControl>(bindings, "TControl")
      .Property("Left", &TControl::Left, &TControl::SetLeft)
      .Property("Top", &TControl::Top, &TControl::SetTop)
      .Property("Width", &TControl::Width, &TControl::SetWidth)
      .Property("Height", &TControl::Height, &TControl::SetHeight)
      .Property(
          "Caption", [](TControl& c) { return c.Caption(); }, &TControl::SetCaption)
      .Property("Color", &TControl::Color, &TControl::SetColor)
      .StoredWhen("Color", [](TControl& c) { return !c.ParentColor(); })
      .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .Object("Font", [](TControl& c) -> TPersistent& { return c.Font(); })
      .StoredWhen("Font", [](TControl& c) { return !c.ParentFont(); })
      .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
      .Property("Visible", &TControl::Visible, &TControl::SetVisible)
      .Property(
          "OnClick", [](TControl& c) { return c.OnClick; },
          [](TControl& c, const TNotifyEvent& e) { c.OnClick = e; });

  ClassBinder<TWinControl>(bindings, "TWinControl")
      .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
}

void BindForm(BindingRegistry& bindings) {
  ClassBinder<TForm>(bindings, "TForm")
      .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
      .Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
      .Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
      .Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
      .Property("Position", &TForm::Position, &TForm::SetPosition)
      .Property("Scaled", &TForm::Scaled, &TForm::SetScaled)
      .Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
      .Property(
          "OnCreate", [](TForm& f) { return f.OnCreate; },
          [](TForm& f, const TNotifyEvent& e) { f.OnCreate = e; });
}

void BindSimpleControls(BindingRegistry& bindings) {
  ClassBinder<TImage>(bindings, "TImage")
      .Creatable(&NewControl<TImage>)
      .Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
      .Bytes(
          "Picture", [](TImage& i) { return !i.Picture().Empty(); },
          [](TImage& i, TStream& in) {
            TBitmap picture;
            ReadBmpProperty(in, picture);
            i.SetPicture(picture);
          },
          [](TImage& i, TStream& out) { WriteBmpProperty(out, i.Picture()); });

  ClassBinder<TLabel>(bindings, "TLabel").Creatable(&NewControl<TLabel>);

  ClassBinder<TBevel>(bindings, "TBevel")
      .Creatable(&NewControl<TBevel>)
      .Property("Shape", &TBevel::Shape, &TBevel::SetShape)
      .Property("Style", &TBevel::Style, &TBevel::SetStyle);

  ClassBinder<TButton>(bindings, "TButton")
      .Creatable(&NewControl<TButton>)
      .Property("Default", &TButton::Default, &TButton::SetDefault);
}

void BindTextControls(BindingRegistry& bindings) {
  ClassBinder<TRichEdit>(bindings, "TRichEdit")
      .Creatable(&NewControl<TRichEdit>)
      .Property("BorderStyle", &TRichEdit::BorderStyle, &TRichEdit::SetBorderStyle)
      .Property("PlainText", &TRichEdit::PlainText, &TRichEdit::SetPlainText)
      .Property("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly)
      .Property("ScrollBars", &TRichEdit::ScrollBars, &TRichEdit::SetScrollBars)
      .Property("WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap)
      .Property("Lines", [](TRichEdit& r) { return r.Lines(); }, &TRichEdit::SetLines);

  ClassBinder<TComboBox>(bindings, "TComboBox")
      .Creatable(&NewControl<TComboBox>)
      .Property("Style", &TComboBox::Style, &TComboBox::SetStyle)
      .Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight)
      .Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
      .Property(
          "Items", [](TComboBox& c) { return c.Items(); }, &TComboBox::SetItems)
      .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
      .Property(
          "OnChange", [](TComboBox& c) { return c.OnChange; },
          [](TComboBox& c, const TNotifyEvent& e) { c.OnChange = e; });

  ClassBinder<TOpenDialog>(bindings, "TOpenDialog")
      .Creatable()
      .Property(
          "DefaultExt", [](TOpenDialog& d) { return d.DefaultExt(); }, &TOpenDialog::SetDefaultExt)
      .Property(
          "FileName", [](TOpenDialog& d) { return d.FileName(); }, &TOpenDialog::SetFileName)
      .Property(
          "Filter", [](TOpenDialog& d) { return d.Filter(); }, &TOpenDialog::SetFilter)
      .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
      .Property(
          "InitialDir", [](TOpenDialog& d) { return d.InitialDir(); }, &TOpenDialog::SetInitialDir)
      .Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
      .Property("Title", [](TOpenDialog& d) { return d.Title(); }, &TOpenDialog::SetTitle);
}

}  // namespace

void AddToolkitBindings(BindingRegistry& bindings) {
  BindFontAndControls(bindings);
  BindForm(bindings);
  BindSimpleControls(bindings);
  BindTextControls(bindings);
}
