#include "installer/ModelTable.h"

const std::array<TModelRow, 27> kModelTable = {{
    {"D5200", "Type0009.md3"},       {"D5300", "Type0011.md3"},
    {"D5500", "Type0016.md3"},       {"D5600", "Type0016.md3"},
    {"D7100", "Type0010.md3"},       {"D7200", "Type0017.md3"},
    {"D600", "Type0008.md3"},        {"D610", "Type0008.md3"},
    {"D750", "Type0015.md3"},        {"DF", "Type0012.md3"},
    {"D4S", "Type0013.md3"},         {"D500", "Type0020.md3"},
    {"D810", "Type0014.md3"},        {"D810A", "Type0014.md3"},
    {"D5", "Type0018.md3"},          {"1V3", "Type0019.md3"},
    {"D800", "Type0006.md3"},        {"D800E", "Type0006.md3"},
    {"D5100+DSUSB", "Type0005.md3"}, {"D7000+DSUSB", "Type0004.md3"},
    {"D700+DSUSB", "Type0001.md3"},  {"D300+DSUSB", "Type0001.md3"},
    {"D300S+DSUSB", "Type0001.md3"}, {"D850", "Type0022.md3"},
    {"Z6", "Type0024.md3"},          {"Z7", "Type0023.md3"},
    {"Z50", "Type0025.md3"},
}};

TStringList ModelTableLines() {
  TStringList lines;
  for (const TModelRow& row : kModelTable) lines.Add(std::string(row.Model) + "=" + row.Driver);
  return lines;
}

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
