// The bindings of the toolkit's classes (Win32 layer), and the helpers that product
// classes use for theirs.
#pragma once

#include <cstdint>

#include "base/ByteStream.h"
#include "toolkit/Binding.h"
#include "toolkit/Bitmap.h"
#include "toolkit/win32/WinControl.h"

// TFont, TControl, TWinControl, TForm, TImage, TLabel, TBevel, TRichEdit, TComboBox,
// TButton and TOpenDialog.
void AddToolkitBindings(BindingRegistry& bindings);

// A control made by a description sits on the form that owns it.
template <class T>
TComponent* NewControl(TComponent* owner) {
  auto* control = new T(owner);
  control->SetParent(dynamic_cast<TWinControl*>(owner));
  return control;
}

// A Picture property's reader and writer: BMP bytes straight into / out of a bitmap.
// Reading throws EDescriptionError when the bytes are not a BMP file it can take.
void ReadBmpProperty(TStream& in, TBitmap& bitmap);
void WriteBmpProperty(TStream& out, const TBitmap& bitmap);
