#include "FormSource.h"

#include <stdexcept>

#include "TestData.h"
#include "tools/common/InputFile.h"
#include "tools/dfmc/SourceParser.h"

TStringList DescribedLines(const std::string& component, const std::string& property) {
  const std::string path = TestDataPath("form-source");
  const SourceDocument source = ParseSource(ReadInputText(path), path);
  for (const SourceObject& object : source.components) {
    if (object.name != component) continue;
    for (const SourceProperty& stated : object.properties) {
      if (stated.path != property || stated.value.form != SourceValue::Form::TextList) continue;
      TStringList lines;
      for (const std::string& line : stated.value.items) lines.Add(line);
      return lines;
    }
  }
  throw std::runtime_error(path + " has no list " + component + "." + property);
}
