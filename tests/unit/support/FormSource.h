// The installer window as resources/FormServicePack.txt describes it, read through
// the description compiler's parser: the tests take the model table and the welcome
// text from there, so that each lives in one place.
#pragma once

#include <string>

#include "toolkit/StringList.h"

// The string list property `property` of the component named `component`; throws
// std::runtime_error when the source has no such list.
TStringList DescribedLines(const std::string& component, const std::string& property = "Lines");

// The model table: "Model=Driver" lines in list order.
inline TStringList DescribedModelTable() {
  return DescribedLines("TXTDat");
}
