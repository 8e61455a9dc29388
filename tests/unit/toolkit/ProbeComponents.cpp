#include "ProbeComponents.h"

#include <stdexcept>

std::vector<std::string>* TProbe::Log = nullptr;
std::string TProbe::FailLoadedOf;

TProbe::~TProbe() {
  if (Log) Log->push_back("destroyed " + Name());
}

void TProbe::Loaded() {
  if (Name() == FailLoadedOf) throw std::runtime_error("probe refuses to load");
  if (Log) Log->push_back("loaded " + Name());
}

void TProbeForm::Loaded() {
  if (TProbe::Log) TProbe::Log->push_back("loaded form");
}

void AddProbeSchemas(SchemaRegistry& schemas) {
  const TypeNames& modes = schemas.AddNames("TProbeMode", {"pmOff", "pmSlow", "pmFast"});
  const TypeNames& options = schemas.AddNames("TProbeOptions", {"poA", "poB", "poC"});
  schemas.AddClass("TComponent");
  const ClassSchema& inner = schemas.AddClass("TProbeInner").String("Folder", "none");
  const ClassSchema& settings =
      schemas.AddClass("TProbeSettings").Bool("Active", false).Object("Inner", inner);
  schemas.AddClass("TProbeForm", "TComponent").String("Caption").Event("OnCreate");
  schemas.AddClass("TProbe", "TComponent")
      .Bool("Flag", true)
      .Int32("Number", 7)
      .Enum("Mode", modes, 0)
      .Set("Options", options, 0)
      .Colour("Colour", 0)
      .String("Text")
      .Strings("Lines")
      .Object("Settings", settings)
      .NeverStored("Size", PropertyKind::Int32)
      .Event("OnPing")
      .Event("OnCount")
      .Picture("Picture")
      .Binary("Data");
}

namespace {

void ReadAll(TStream& in, std::vector<std::uint8_t>& bytes) {
  bytes.resize(static_cast<std::size_t>(in.Remaining()));
  in.ReadBuffer(bytes.data(), bytes.size());
  // A refused value, as a damaged stored-file container would be.
  if (!bytes.empty() && bytes[0] == 0xEE) throw EReadError("probe data damaged");
}

}  // namespace

void AddProbeBindings(BindingRegistry& bindings) {
  ClassBinder<TProbeInner>(bindings, "TProbeInner")
      .Property(
          "Folder", [](TProbeInner& p) { return p.Folder; },
          [](TProbeInner& p, const std::string& v) { p.Folder = v; });
  ClassBinder<TProbeSettings>(bindings, "TProbeSettings")
      .Property(
          "Active", [](TProbeSettings& p) { return p.Active; },
          [](TProbeSettings& p, bool v) { p.Active = v; })
      .Object("Inner", [](TProbeSettings& p) -> TPersistent& { return p.Inner; });
  ClassBinder<TProbeForm>(bindings, "TProbeForm")
      .Property(
          "Caption", [](TProbeForm& f) { return f.Caption; },
          [](TProbeForm& f, const std::string& v) { f.Caption = v; })
      .Property(
          "OnCreate", [](TProbeForm& f) { return f.OnCreate; },
          [](TProbeForm& f, const TNotifyEvent& e) { f.OnCreate = e; });
  ClassBinder<TProbe>(bindings, "TProbe")
      .Creatable()
      .Property(
          "Flag", [](TProbe& p) { return p.Flag; }, [](TProbe& p, bool v) { p.Flag = v; })
      .Property(
          "Number", [](TProbe& p) { return p.Number; },
          [](TProbe& p, std::int32_t v) { p.Number = v; })
      .Property(
          "Mode", [](TProbe& p) { return p.Mode; }, [](TProbe& p, TProbeMode v) { p.Mode = v; })
      .Property(
          "Options", [](TProbe& p) { return p.Options; },
          [](TProbe& p, std::uint32_t v) { p.Options = v; })
      .Property(
          "Colour", [](TProbe& p) { return p.Colour; },
          [](TProbe& p, std::int32_t v) { p.Colour = v; })
      .Property(
          "Text", [](TProbe& p) { return p.Text; },
          [](TProbe& p, const std::string& v) { p.Text = v; })
      .Property(
          "Lines", [](TProbe& p) { return p.Lines; },
          [](TProbe& p, const TStringList& v) { p.Lines = v; })
      .Object("Settings", [](TProbe& p) -> TPersistent& { return p.Settings; })
      .Property(
          "OnPing", [](TProbe& p) { return p.OnPing; },
          [](TProbe& p, const TNotifyEvent& e) { p.OnPing = e; })
      .Property(
          "OnCount", [](TProbe& p) { return p.OnCount; },
          [](TProbe& p, const TEvent<TObject*, int>& e) { p.OnCount = e; })
      .Bytes(
          "Picture", [](TProbe& p) { return !p.Picture.empty(); },
          [](TProbe& p, TStream& in) { ReadAll(in, p.Picture); },
          [](TProbe& p, TStream& out) { out.Write(p.Picture.data(), p.Picture.size()); })
      .Bytes(
          "Data", [](TProbe& p) { return !p.Data.empty(); },
          [](TProbe& p, TStream& in) { ReadAll(in, p.Data); },
          [](TProbe& p, TStream& out) { out.Write(p.Data.data(), p.Data.size()); });
}
