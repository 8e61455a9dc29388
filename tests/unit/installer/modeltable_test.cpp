// The model table, its string-table component and the choice of PTP library.
#include "installer/ModelTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "installer/ProductSchemas.h"
#include "installer/TXTDat.h"
#include "installer/TXTDatBinding.h"
#include "tests/unit/support/FormSource.h"
#include "tests/unit/support/TestData.h"
#include "toolkit/StringList.h"
#include "toolkit/ToolkitSchemas.h"
#include "tools/payloadgen/PayloadManifest.h"

namespace {

TEST(StringList, NameAndValueSplitAtTheFirstEquals) {
  const TStringList lines{"A=b=c", "=empty name", "no separator", "tail="};
  EXPECT_EQ(lines.Names(0), "A");
  EXPECT_EQ(lines.ValueFromIndex(0), "b=c");
  EXPECT_EQ(lines.Names(1), "");
  EXPECT_EQ(lines.ValueFromIndex(1), "empty name");
  EXPECT_EQ(lines.Names(2), "");
  EXPECT_EQ(lines.ValueFromIndex(2), "");
  EXPECT_EQ(lines.Names(3), "tail");
  EXPECT_EQ(lines.ValueFromIndex(3), "");
}

TEST(StringList, IndexOfNameFindsTheFirstRowIgnoringCase) {
  const TStringList lines{"plain line", "Alpha=1", "ALPHA=2", "beta=3"};
  EXPECT_EQ(lines.IndexOfName("alpha"), 1);
  EXPECT_EQ(lines.Values("aLpHa"), "1");
  EXPECT_EQ(lines.IndexOfName("BETA"), 3);
  // A whole line without "=" is no name, and a name is never matched by a prefix.
  EXPECT_EQ(lines.IndexOfName("plain line"), -1);
  EXPECT_EQ(lines.IndexOfName("Alph"), -1);
  EXPECT_EQ(lines.IndexOfName("Alpha=1"), -1);
  EXPECT_EQ(lines.Values("gamma"), "");
  EXPECT_EQ(lines.IndexOf("PLAIN LINE"), 0);
}

TEST(TXTDat, AssigningLinesCopiesThem) {
  TTXTDat table(nullptr);
  TStringList source{"D5=Type0018.md3"};
  table.SetLines(source);
  source.Add("Z6=Type0024.md3");
  EXPECT_EQ(table.Lines().Count(), 1);
  EXPECT_EQ(table.Lines().Strings(0), "D5=Type0018.md3");
}

TEST(TXTDat, LoadsItsLinesFromAWindowDescription) {
  SchemaRegistry schemas;
  AddToolkitSchemas(schemas);
  AddProductSchemas(schemas);
  BindingRegistry bindings(schemas);
  AddTXTDatBinding(bindings);

  const ClassBinding* binding = bindings.ByName("TTXTDat");
  ASSERT_NE(binding, nullptr);
  ASSERT_TRUE(binding->Creatable());
  const std::unique_ptr<TComponent> component(binding->Create(nullptr));
  auto* table = dynamic_cast<TTXTDat*>(component.get());
  ASSERT_NE(table, nullptr);

  const PropertyAccessor* lines = binding->Find("Lines");
  ASSERT_NE(lines, nullptr);
  PropertyValue stored;
  stored.kind = PropertyKind::Strings;
  stored.lines = {"D5=Type0018.md3", "Z6=Type0024.md3"};
  lines->set(*table, stored, THandlerTable());
  EXPECT_EQ(table->Lines(), (TStringList{"D5=Type0018.md3", "Z6=Type0024.md3"}));
  EXPECT_EQ(lines->get(*table).lines, stored.lines);
}

TEST(ModelTable, HoldsTheModelsInListOrder) {
  const TStringList lines = DescribedModelTable();
  ASSERT_EQ(lines.Count(), 27);
  EXPECT_EQ(lines.Strings(0), "D5200=Type0009.md3");
  EXPECT_EQ(lines.Strings(9), "DF=Type0012.md3");
  EXPECT_EQ(lines.Strings(15), "1V3=Type0019.md3");
  EXPECT_EQ(lines.Strings(22), "D300S+DSUSB=Type0001.md3");
  EXPECT_EQ(lines.Strings(26), "Z50=Type0025.md3");

  std::set<std::string> names;
  for (int row = 0; row < lines.Count(); ++row) names.insert(lines.Names(row));
  EXPECT_EQ(names.size(), 27u) << "a repeated name would hide the later row";
}

TEST(ModelTable, DriverLookup) {
  const TStringList table = DescribedModelTable();
  EXPECT_EQ(DriverForModel(table, "D5600"), "Type0016.md3");
  EXPECT_EQ(DriverForModel(table, "D5500"), "Type0016.md3");
  EXPECT_EQ(DriverForModel(table, "D810"), DriverForModel(table, "D810A"));
  EXPECT_EQ(DriverForModel(table, "D700+DSUSB"), "Type0001.md3");
  EXPECT_EQ(DriverForModel(table, "D300+DSUSB"), "Type0001.md3");
  EXPECT_EQ(DriverForModel(table, "D300S+DSUSB"), "Type0001.md3");
  EXPECT_EQ(DriverForModel(table, "Z6"), "Type0024.md3");
  EXPECT_EQ(DriverForModel(table, "Z7"), "Type0023.md3");
  // Names are found without regard to case, and only whole names are found.
  EXPECT_EQ(DriverForModel(table, "df"), "Type0012.md3");
  EXPECT_EQ(DriverForModel(table, "d800e"), "Type0006.md3");
  EXPECT_EQ(DriverForModel(table, "Model ..."), std::nullopt);
  EXPECT_EQ(DriverForModel(table, "D8"), std::nullopt);
  EXPECT_EQ(DriverForModel(table, ""), std::nullopt);
}

TEST(ModelTable, FirstOfTwoRowsWithOneNameWins) {
  const TStringList table{"D5=first.md3", "d5=second.md3"};
  EXPECT_EQ(DriverForModel(table, "D5"), "first.md3");
}

TEST(ModelTable, PtpLibraryChoiceIsExactAndCaseSensitive) {
  EXPECT_EQ(PtpSetForModel("D5600"), psPTP2);
  EXPECT_EQ(PtpSetForModel("D850"), psPTP3);
  EXPECT_EQ(PtpSetForModel("Z6"), psPTP3);
  EXPECT_EQ(PtpSetForModel("Z7"), psPTP3);
  EXPECT_EQ(PtpSetForModel("Z50"), psPTP3);
  EXPECT_EQ(PtpSetForModel("D5500"), psPTP1);
  EXPECT_EQ(PtpSetForModel("D810A"), psPTP1);
  EXPECT_EQ(PtpSetForModel("d5600"), psPTP1);
  EXPECT_EQ(PtpSetForModel("z6"), psPTP1);
  EXPECT_EQ(PtpSetForModel("D85"), psPTP1);
  EXPECT_EQ(PtpSetForModel("Model ..."), psPTP1);
}

TEST(ModelTable, DriversAndThePayloadNameEachOther) {
  std::vector<std::string> payload;
  for (const ManifestEntry& entry : LoadManifest(TestDataPath("payload-manifest"))) {
    if (entry.set == "FileStoMD3") payload.push_back(entry.name);
  }
  ASSERT_EQ(payload.size(), 21u);
  const std::set<std::string> stored(payload.begin(), payload.end());

  const TStringList table = DescribedModelTable();
  std::set<std::string> named;
  for (int row = 0; row < table.Count(); ++row) {
    const std::string driver = table.ValueFromIndex(row);
    EXPECT_EQ(stored.count(driver), 1u) << table.Names(row) << " needs " << driver;
    named.insert(driver);
  }
  for (const std::string& name : stored) {
    EXPECT_EQ(named.count(name), 1u) << name << " is installed for no model";
  }
}

}  // namespace
