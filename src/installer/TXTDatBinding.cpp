#include "installer/TXTDatBinding.h"

#include "installer/TXTDat.h"

void AddTXTDatBinding(BindingRegistry& bindings) {
  ClassBinder<TTXTDat>(bindings, "TTXTDat")
      .Creatable()
      .Property(
          "Lines", [](TTXTDat& table) -> const TStringList& { return table.Lines(); },
          [](TTXTDat& table, const TStringList& lines) { table.SetLines(lines); });
}
