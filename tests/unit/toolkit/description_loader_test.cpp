// The loader and the component writer over portable probe components: what a
// description sets, what it leaves out, and that a damaged description never leaves
// a half-built form behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DescriptionWriting.h"
#include "ProbeComponents.h"
#include "toolkit/DescriptionLoader.h"
#include "toolkit/DescriptionWriter.h"

namespace {

std::vector<std::uint8_t> Bytes(const TMemoryStream& stream) {
  return std::vector<std::uint8_t>(stream.Data(), stream.Data() + stream.Size());
}

PropertyValue Number(PropertyKind kind, std::int64_t n) {
  PropertyValue v;
  v.kind = kind;
  v.number = n;
  return v;
}
PropertyValue Text(PropertyKind kind, const std::string& text) {
  PropertyValue v;
  v.kind = kind;
  v.text = text;
  return v;
}

const std::uint8_t kPicture[] = {'B', 'M', 1, 2, 3};
const std::uint8_t kData[] = {'S', 'F', 'P', '1', 0, 0, 0, 0};

// A description in declared order without defaults: what the writer produces too.
std::vector<std::uint8_t> FullDescription() {
  TMemoryStream out;
  DescriptionWriter writer(out, 3);
  writer.BeginRecord("TProbeForm", "Form1");
  writer.WriteProperty("Caption", Text(PropertyKind::String, "Probe form"));
  writer.WriteProperty("OnCreate", Text(PropertyKind::Event, "Ping"));
  writer.EndRecord();

  writer.BeginRecord("TProbe", "First");
  writer.WriteProperty("Flag", Number(PropertyKind::Bool, 0));
  writer.WriteProperty("Number", Number(PropertyKind::Int32, -12));
  writer.WriteProperty("Mode", Number(PropertyKind::Enum, 2));
  writer.WriteProperty("Options", Number(PropertyKind::Set, 5));
  writer.WriteProperty("Colour",
                       Number(PropertyKind::Colour, static_cast<std::int32_t>(0x8000000F)));
  writer.WriteProperty("Text", Text(PropertyKind::String, "with \"quotes\"\r\n"));
  PropertyValue lines;
  lines.kind = PropertyKind::Strings;
  lines.lines = {"D5200=Type0009.md3", "", "Z50=Type0025.md3"};
  writer.WriteProperty("Lines", lines);
  writer.WriteProperty("Settings.Active", Number(PropertyKind::Bool, 1));
  writer.WriteProperty("Settings.Inner.Folder", Text(PropertyKind::String, "Drivers"));
  writer.WriteProperty("OnPing", Text(PropertyKind::Event, "Ping"));
  writer.WriteProperty("OnCount", Text(PropertyKind::Event, "Count"));
  PropertyValue picture;
  picture.kind = PropertyKind::Picture;
  picture.data = kPicture;
  picture.size = sizeof kPicture;
  writer.WriteProperty("Picture", picture);
  PropertyValue data;
  data.kind = PropertyKind::Binary;
  data.data = kData;
  data.size = sizeof kData;
  writer.WriteProperty("Data", data);
  writer.EndRecord();

  writer.BeginRecord("TProbe", "Second");
  writer.EndRecord();
  return Bytes(out);
}

struct Loaded {
  ProbeWorld world;
  TProbeForm form;
  std::vector<std::string> log;
  Loaded() {
    form.handlers.Add("Ping", &form, &TProbeForm::Ping);
    form.handlers.Add("Count", &form, &TProbeForm::Count);
    TProbe::Log = &log;
  }
  ~Loaded() {
    form.DestroyComponents();
    TProbe::Log = nullptr;
  }
  void Load(const std::vector<std::uint8_t>& bytes, std::size_t size) {
    TSpanStream in(bytes.data(), size);
    LoadDescription(form, in, world.bindings, form.handlers);
  }
  void Load(const std::vector<std::uint8_t>& bytes) { Load(bytes, bytes.size()); }
  TProbe& Probe(const std::string& name) {
    return dynamic_cast<TProbe&>(*form.FindComponent(name));
  }
};

TEST(DescriptionLoader, SetsEveryKindOfPropertyAndWritesTheSameBytesBack) {
  Loaded loaded;
  const std::vector<std::uint8_t> bytes = FullDescription();
  loaded.Load(bytes);

  EXPECT_EQ(loaded.form.Name(), "Form1");
  EXPECT_EQ(loaded.form.Caption, "Probe form");
  ASSERT_EQ(loaded.form.Components().size(), 2u);
  TProbe& first = loaded.Probe("First");
  EXPECT_FALSE(first.Flag);
  EXPECT_EQ(first.Number, -12);
  EXPECT_EQ(first.Mode, pmFast);
  EXPECT_EQ(first.Options, 5u);
  EXPECT_EQ(first.Colour, static_cast<std::int32_t>(0x8000000F));
  EXPECT_EQ(first.Text, "with \"quotes\"\r\n");
  EXPECT_EQ(first.Lines, (TStringList{"D5200=Type0009.md3", "", "Z50=Type0025.md3"}));
  EXPECT_TRUE(first.Settings.Active);
  EXPECT_EQ(first.Settings.Inner.Folder, "Drivers");
  EXPECT_EQ(first.Picture, std::vector<std::uint8_t>(std::begin(kPicture), std::end(kPicture)));
  EXPECT_EQ(first.Data, std::vector<std::uint8_t>(std::begin(kData), std::end(kData)));

  // Events call the form's named handlers.
  first.OnPing(&first);
  EXPECT_EQ(loaded.form.pinged, &first);
  first.OnCount(&first, 42);
  EXPECT_EQ(loaded.form.counted, 42);
  loaded.form.OnCreate(&loaded.form);
  EXPECT_EQ(loaded.form.pinged, &loaded.form);

  // Untouched properties keep their constructor values.
  TProbe& second = loaded.Probe("Second");
  EXPECT_TRUE(second.Flag);
  EXPECT_EQ(second.Number, 7);
  EXPECT_EQ(second.Settings.Inner.Folder, "none");

  TMemoryStream again;
  WriteDescription(loaded.form, again, loaded.world.bindings);
  EXPECT_EQ(Bytes(again), bytes);
}

TEST(DescriptionLoader, LoadedRunsOnComponentsInOrderThenOnTheForm) {
  Loaded loaded;
  loaded.Load(FullDescription());
  EXPECT_EQ(loaded.log, (std::vector<std::string>{"loaded First", "loaded Second", "loaded form"}));
}

TEST(DescriptionWriter, LeavesOutDefaultsNeverStoredAndEmptyBinaryValues) {
  ProbeWorld world;
  TProbeForm form;
  form.SetName("Form1");
  auto* probe = new TProbe(&form);
  probe->SetName("P");
  probe->Number = 7;                                       // the declared default
  probe->Settings.Inner.Folder = "none";                   // the nested object's declared default
  probe->OnPing = TNotifyEvent(&form, &TProbeForm::Ping);  // assigned in code, not by name

  TMemoryStream out;
  WriteDescription(form, out, world.bindings);

  // Header, then two records without a single property.
  const std::uint8_t expected[] = {'H', 'V', 'W', 'D', 1,   0,   0,   0,   2,   0,
                                   0,   0,   10,  'T', 'P', 'r', 'o', 'b', 'e', 'F',
                                   'o', 'r', 'm', 5,   'F', 'o', 'r', 'm', '1', 0,
                                   6,   'T', 'P', 'r', 'o', 'b', 'e', 1,   'P', 0};
  EXPECT_EQ(Bytes(out), std::vector<std::uint8_t>(std::begin(expected), std::end(expected)));
}

// Every way a description can be wrong ends the same way: one exception type, and
// nothing the loader created is left alive.
class DamagedDescription : public ::testing::Test {
 protected:
  void ExpectRefused(const std::vector<std::uint8_t>& bytes, std::size_t size,
                     const std::string& mentions) {
    Loaded loaded;
    try {
      loaded.Load(bytes, size);
      ADD_FAILURE() << "loaded " << size << " bytes";
    } catch (const EDescriptionError& e) {
      EXPECT_NE(std::string(e.what()).find(mentions), std::string::npos) << e.what();
    }
    EXPECT_TRUE(loaded.form.Components().empty()) << "cut at " << size;
    for (const std::string& entry : loaded.log) {
      EXPECT_EQ(entry.rfind("loaded", 0), std::string::npos) << entry << ", cut at " << size;
    }
  }
  void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& mentions) {
    ExpectRefused(bytes, bytes.size(), mentions);
  }

  // A form and one probe with a single property.
  static std::vector<std::uint8_t> OneProperty(const std::string& className,
                                               const std::string& path,
                                               const PropertyValue& value) {
    TMemoryStream out;
    DescriptionWriter writer(out, 2);
    writer.BeginRecord("TProbeForm", "Form1");
    writer.EndRecord();
    writer.BeginRecord(className, "P");
    writer.WriteProperty(path, value);
    writer.EndRecord();
    return Bytes(out);
  }
};

TEST_F(DamagedDescription, TruncatedAtEveryOffset) {
  const std::vector<std::uint8_t> bytes = FullDescription();
  for (std::size_t size = 0; size < bytes.size(); ++size)
    ExpectRefused(bytes, size, "window description");
}

TEST_F(DamagedDescription, BadHeaderOrTrailingBytes) {
  std::vector<std::uint8_t> bytes = FullDescription();
  bytes[0] = 'X';
  ExpectRefused(bytes, "magic");

  bytes = FullDescription();
  bytes[4] = 2;
  ExpectRefused(bytes, "version 2");

  bytes = FullDescription();
  bytes.push_back(0);
  ExpectRefused(bytes, "unexpected bytes");

  bytes = FullDescription();
  bytes[8] = 4;  // more records than there are
  ExpectRefused(bytes, "truncated");
}

TEST_F(DamagedDescription, AStringListCountTheRestCannotHold) {
  PropertyValue lines;
  lines.kind = PropertyKind::Strings;
  lines.lines = {"a"};
  const std::vector<std::uint8_t> bytes = OneProperty("TProbe", "Lines", lines);
  const std::vector<std::uint8_t> name = {5, 'L', 'i', 'n', 'e', 's'};
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  const std::size_t countAt = static_cast<std::size_t>(at - bytes.begin()) + name.size();
  // After the count: the line's length and text, and the record's end (6 bytes).
  for (const std::uint32_t count : {2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::vector<std::uint8_t> damaged = bytes;
    for (std::size_t i = 0; i < 4; ++i)
      damaged[countAt + i] = static_cast<std::uint8_t>(count >> (8 * i));
    ExpectRefused(damaged, "Lines: a string list of " +
                               std::to_string(static_cast<std::int32_t>(count)) +
                               " lines, 6 bytes left");
  }
}

TEST_F(DamagedDescription, NamesThatDoNotFitTheClasses) {
  ExpectRefused(OneProperty("TNoSuchClass", "Flag", Number(PropertyKind::Bool, 0)),
                "unknown class TNoSuchClass");
  ExpectRefused(OneProperty("TProbe", "Colour2", Number(PropertyKind::Colour, 0)),
                "TProbe has no property Colour2");
  ExpectRefused(OneProperty("TProbe", "Settings.Inner.Nothing", Text(PropertyKind::String, "x")),
                "TProbeInner has no property Nothing");
  ExpectRefused(OneProperty("TProbe", "Size", Number(PropertyKind::Int32, 3)),
                "Size is never stored");
  ExpectRefused(
      OneProperty("TProbe", "Text", Number(PropertyKind::Int32, 3)),
      "P (TProbe), property Text: Text is a string property, the description holds a int32");
  ExpectRefused(OneProperty("TProbe", "Mode", Number(PropertyKind::Enum, 3)), "not a TProbeMode");
  ExpectRefused(OneProperty("TProbe", "Options", Number(PropertyKind::Set, 8)),
                "bits outside TProbeOptions");
  // The form's class cannot be created as a component.
  ExpectRefused(OneProperty("TProbeForm", "Caption", Text(PropertyKind::String, "x")),
                "cannot be created");
}

TEST_F(DamagedDescription, HandlersThatAreMissingOrDoNotFit) {
  ExpectRefused(OneProperty("TProbe", "OnPing", Text(PropertyKind::Event, "Pong")),
                "no handler Pong");
  ExpectRefused(OneProperty("TProbe", "OnPing", Text(PropertyKind::Event, "Count")),
                "handler Count does not take the parameters");
}

TEST_F(DamagedDescription, ValuesOrStepsTheObjectsRefuse) {
  const std::uint8_t damaged[] = {0xEE, 1, 2};
  PropertyValue data;
  data.kind = PropertyKind::Binary;
  data.data = damaged;
  data.size = sizeof damaged;
  ExpectRefused(OneProperty("TProbe", "Data", data),
                "P (TProbe), property Data: probe data damaged");

  // A later component's failure takes the earlier ones with it.
  std::vector<std::uint8_t> bytes = FullDescription();
  const std::vector<std::uint8_t> second = {6, 'T', 'P', 'r', 'o', 'b', 'e',
                                            6, 'S', 'e', 'c', 'o', 'n', 'd'};
  const auto at = std::search(bytes.begin(), bytes.end(), second.begin(), second.end());
  ASSERT_NE(at, bytes.end());
  bytes[static_cast<std::size_t>(at - bytes.begin()) + 1] = 'X';  // "TXrobe"
  Loaded loaded;
  EXPECT_THROW(loaded.Load(bytes), EDescriptionError);
  EXPECT_TRUE(loaded.form.Components().empty());
  EXPECT_EQ(loaded.log, (std::vector<std::string>{"destroyed First"}));
}

TEST_F(DamagedDescription, AnExceptionAfterLoadingDestroysEverything) {
  Loaded loaded;
  TProbe::FailLoadedOf = "Second";
  try {
    loaded.Load(FullDescription());
    ADD_FAILURE() << "loaded";
  } catch (const EDescriptionError& e) {
    EXPECT_NE(std::string(e.what()).find("Second, after loading: probe refuses to load"),
              std::string::npos)
        << e.what();
  }
  TProbe::FailLoadedOf.clear();
  EXPECT_TRUE(loaded.form.Components().empty());
  EXPECT_EQ(loaded.log,
            (std::vector<std::string>{"loaded First", "destroyed Second", "destroyed First"}));
}

TEST_F(DamagedDescription, ADescriptionOfAnotherFormOrADuplicateName) {
  ProbeWorld world;
  TMemoryStream out;
  DescriptionWriter writer(out, 1);
  writer.BeginRecord("TProbe", "P");
  writer.EndRecord();
  ExpectRefused(Bytes(out), "the description is of a TProbe, the form is a TProbeForm");

  TMemoryStream twice;
  DescriptionWriter w2(twice, 3);
  w2.BeginRecord("TProbeForm", "F");
  w2.EndRecord();
  w2.BeginRecord("TProbe", "P");
  w2.EndRecord();
  w2.BeginRecord("TProbe", "P");
  w2.EndRecord();
  ExpectRefused(Bytes(twice), "a second component named P");
}

TEST(Bindings, AreCheckedAgainstTheSchemaAsTheyAreMade) {
  SchemaRegistry schemas;
  AddProbeSchemas(schemas);
  BindingRegistry bindings(schemas);
  ClassBinder<TProbe> binder(bindings, "TProbe");
  EXPECT_THROW(
      binder.Property(
          "Nothing", [](TProbe& p) { return p.Flag; }, [](TProbe& p, bool v) { p.Flag = v; }),
      std::logic_error);
  EXPECT_THROW(
      binder.Property(
          "Text", [](TProbe& p) { return p.Number; }, [](TProbe& p, int v) { p.Number = v; }),
      std::logic_error);
  EXPECT_THROW(
      binder.Property(
          "Size", [](TProbe& p) { return p.Number; }, [](TProbe& p, int v) { p.Number = v; }),
      std::logic_error);
  binder.Property("Flag", [](TProbe& p) { return p.Flag; }, [](TProbe& p, bool v) { p.Flag = v; });
  EXPECT_THROW(binder.Property(
                   "Flag", [](TProbe& p) { return p.Flag; }, [](TProbe& p, bool v) { p.Flag = v; }),
               std::logic_error);

  const std::vector<std::string> unbound = bindings.Unbound();
  EXPECT_NE(std::find(unbound.begin(), unbound.end(), "TProbe.Number"), unbound.end());
  EXPECT_EQ(std::find(unbound.begin(), unbound.end(), "TProbe.Flag"), unbound.end());
  EXPECT_EQ(std::find(unbound.begin(), unbound.end(), "TProbe.Size"), unbound.end());
  EXPECT_NE(std::find(unbound.begin(), unbound.end(), "TProbe.Settings"), unbound.end());

  ProbeWorld complete;
  EXPECT_TRUE(complete.bindings.Unbound().empty());
}

}  // namespace
