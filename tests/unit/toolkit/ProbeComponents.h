// Small portable components with one published property of every kind, and their
// schemas and bindings, for the tests of the description machinery.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "base/Component.h"
#include "toolkit/Binding.h"
#include "toolkit/Schema.h"
#include "toolkit/StringList.h"

enum TProbeMode : std::uint8_t { pmOff, pmSlow, pmFast };

class TProbeInner : public TPersistent {
 public:
  std::string Folder = "none";
};

class TProbeSettings : public TPersistent {
 public:
  bool Active = false;
  TProbeInner Inner;
};

// Every kind of property, with the binary property stored only while it holds bytes
// (as a stored-file set writes its data only when it has files).
class TProbe : public TComponent {
 public:
  explicit TProbe(TComponent* owner) : TComponent(owner) {}
  ~TProbe() override;
  void Loaded() override;

  bool Flag = true;
  std::int32_t Number = 7;
  TProbeMode Mode = pmOff;
  std::uint32_t Options = 0;
  std::int32_t Colour = 0;
  std::string Text;
  TStringList Lines;
  std::vector<std::uint8_t> Data;
  std::vector<std::uint8_t> Picture;
  TProbeSettings Settings;
  TNotifyEvent OnPing;
  TEvent<TObject*, int> OnCount;
  // The probe of this name throws from Loaded().
  static std::string FailLoadedOf;
  // What a test wants to see of the life of probes: "created X", "loaded X", "destroyed X".
  static std::vector<std::string>* Log;
};

// The root of a probe description: plays the form.
class TProbeForm : public TComponent {
 public:
  TProbeForm() : TComponent(nullptr) {}
  void Loaded() override;
  void Ping(TObject* sender) { pinged = sender; }
  void Count(TObject*, int n) { counted = n; }

  std::string Caption;
  TNotifyEvent OnCreate;
  TObject* pinged = nullptr;
  int counted = 0;
  THandlerTable handlers;
};

void AddProbeSchemas(SchemaRegistry& schemas);
void AddProbeBindings(BindingRegistry& bindings);

// A schema registry and bindings ready for use.
struct ProbeWorld {
  SchemaRegistry schemas;
  BindingRegistry bindings{schemas};
  ProbeWorld() {
    AddProbeSchemas(schemas);
    AddProbeBindings(bindings);
  }
};
