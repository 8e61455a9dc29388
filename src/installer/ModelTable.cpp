#include "installer/ModelTable.h"

std::optional<std::string> DriverForModel(const TStringList& table, const std::string& model) {
  const int row = table.IndexOfName(model);
  if (row < 0) return std::nullopt;
  return table.ValueFromIndex(row);
}

TPtpSet PtpSetForModel(const std::string& model) {
  if (model == "D5600") return psPTP2;
  if (model == "D850" || model == "Z6" || model == "Z7" || model == "Z50") return psPTP3;
  return psPTP1;
}
