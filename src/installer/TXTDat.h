// The string-table component that carries the model table on the installer window:
// one "model=driver module" line per camera model, filled from the window description.
#pragma once

#include "base/Component.h"
#include "toolkit/StringList.h"

class TTXTDat : public TComponent {
 public:
  explicit TTXTDat(TComponent* owner) : TComponent(owner) {}

  // Published. Assigning copies the given lines; the component keeps its own list.
  const TStringList& Lines() const { return lines_; }
  TStringList& Lines() { return lines_; }
  void SetLines(const TStringList& lines) { lines_ = lines; }

 private:
  TStringList lines_;
};
