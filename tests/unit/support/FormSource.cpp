#include "FormSource.h"

#include <stdexcept>

#include "InputFile.h"
#include "SourceParser.h"

TStringList DescribedLines(const std::string& component, const std::string& property) {
  const SourceDocument source = ParseSource(ReadInputText(HV_FORM_SOURCE), HV_FORM_SOURCE);
  for (const SourceObject& object : source.components) {
    if (object.name != component) continue;
    for (const SourceProperty& stated : object.properties) {
      if (stated.path != property || stated.value.form != SourceValue::Form::TextList) continue;
      TStringList lines;
      for (const std::string& line : stated.value.items) lines.Add(line);
      return lines;
    }
  }
  throw std::runtime_error(std::string(HV_FORM_SOURCE) + " has no list " + component + "." +
                           property);
}
