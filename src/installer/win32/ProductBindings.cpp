#include "installer/win32/ProductBindings.h"

#include "button/win32/MyButton.h"
#include "installer/TXTDatBinding.h"
#include "storage/win32/FileStorage.h"
#include "toolkit/win32/ToolkitBindings.h"

namespace {

void BindGlyphButton(BindingRegistry& bindings) {
  // A stored glyph goes straight into Bitmap, past the setter: BitmapKind keeps
  // what the description says.
  ClassBinder<TXMButton>(bindings, "TXMButton")
      .Creatable(&NewControl<TXMButton>)
      .Bytes(
          "Bitmap", [](TXMButton& b) { return !b.Bitmap().Empty(); },
          [](TXMButton& b, TStream& in) { ReadBmpProperty(in, b.Bitmap()); },
          [](TXMButton& b, TStream& out) { WriteBmpProperty(out, b.Bitmap()); })
      .Property("Down", &TXMButton::Down, &TXMButton::SetDown)
      .Property("OffX", &TXMButton::OffX, &TXMButton::SetOffX)
      .Property("OffY", &TXMButton::OffY, &TXMButton::SetOffY)
      .Property("HideFocus", &TXMButton::HideFocus, &TXMButton::SetHideFocus)
      .Property("BitmapKind", &TXMButton::BitmapKind, &TXMButton::SetBitmapKind)
      .Property("HotTrack", &TXMButton::HotTrack, &TXMButton::SetHotTrack)
      .Property(
          "OnMouseEnter", [](TXMButton& b) { return b.OnMouseEnter(); },
          &TXMButton::SetOnMouseEnter)
      .Property(
          "OnMouseExit", [](TXMButton& b) { return b.OnMouseExit(); }, &TXMButton::SetOnMouseExit);
}

void BindFileStorage(BindingRegistry& bindings) {
  ClassBinder<TExtractTo>(bindings, "TExtractTo")
      .Property("CreatePath", &TExtractTo::CreatePath, &TExtractTo::SetCreatePath)
      .Property("ToplevelDir", &TExtractTo::ToplevelDir, &TExtractTo::SetToplevelDir)
      .Property(
          "Subdirectory", [](TExtractTo& e) { return e.Subdirectory(); },
          &TExtractTo::SetSubdirectory);
  ClassBinder<TAutoExtract>(bindings, "TAutoExtract")
      .Property("Enabled", &TAutoExtract::Enabled, &TAutoExtract::SetEnabled)
      .Object("ExtractTo", [](TAutoExtract& a) -> TPersistent& { return a.ExtractTo(); })
      .Property("Overwrite", &TAutoExtract::Overwrite, &TAutoExtract::SetOverwrite)
      .Property("RemoveOnTerminate", &TAutoExtract::RemoveOnTerminate,
                &TAutoExtract::SetRemoveOnTerminate);
  // StoredData is written only while the set holds files.
  ClassBinder<TFileStorage>(bindings, "TFileStorage")
      .Creatable()
      .Object("AutoExtract", [](TFileStorage& s) -> TPersistent& { return s.AutoExtract(); })
      .Property(
          "OnExtract", [](TFileStorage& s) { return s.OnExtract(); }, &TFileStorage::SetOnExtract)
      .Property(
          "OnExtracted", [](TFileStorage& s) { return s.OnExtracted(); },
          &TFileStorage::SetOnExtracted)
      .Bytes(
          "StoredData", [](TFileStorage& s) { return s.Count() != 0; },
          [](TFileStorage& s, TStream& in) { s.ReadStoredData(in); },
          [](TFileStorage& s, TStream& out) { s.WriteStoredData(out); });
}

}  // namespace

void AddProductBindings(BindingRegistry& bindings) {
  BindGlyphButton(bindings);
  BindFileStorage(bindings);
  AddTXTDatBinding(bindings);
}
