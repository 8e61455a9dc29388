// Binds the published properties of a schema class to a C++ class: a getter and a
// setter per property, a factory for components, the nested objects behind object
// properties, and the readers and writers of bytes properties. The schema says what
// a property is; the binding says how a live object gets and takes its value. One
// loader and one writer walk both.
//
// Bindings are made with ClassBinder<T>, next to the class or in one registration
// function, and are checked against the schema as they are made: a property that the
// schema does not know, or whose C++ type does not fit its kind, is a programming
// error (std::logic_error). Unbound() lists what is left unbound.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "base/ByteStream.h"
#include "base/Component.h"
#include "toolkit/DescriptionFormat.h"
#include "toolkit/HandlerTable.h"
#include "toolkit/Schema.h"
#include "toolkit/StringList.h"

struct PropertyAccessor {
  const PropertySchema* schema = nullptr;
  // Values (every kind but Object, Picture and Binary).
  std::function<void(TPersistent&, const PropertyValue&, const THandlerTable&)> set;
  std::function<PropertyValue(TPersistent&)> get;
  // Object: the nested object the path continues in.
  std::function<TPersistent&(TPersistent&)> object;
  // Whether the writer writes the property at all (unset: by its declared default).
  // Picture and Binary properties always say.
  std::function<bool(TPersistent&)> stored;
  // Picture and Binary: the object reads and writes its own bytes.
  std::function<void(TPersistent&, TStream&)> read;
  std::function<void(TPersistent&, TStream&)> write;
};

class BindingRegistry;

class ClassBinding {
 public:
  ClassBinding(const BindingRegistry& registry, const ClassSchema& schema, std::type_index type)
      : registry_(registry), schema_(schema), type_(type) {}

  const ClassSchema& Schema() const { return schema_; }
  std::type_index Type() const { return type_; }
  bool Creatable() const { return static_cast<bool>(create_); }
  TComponent* Create(TComponent* owner) const { return create_(owner); }

  // The accessor of this class or of the nearest bound ancestor; nullptr if none.
  const PropertyAccessor* Find(const std::string& name) const;

 private:
  template <class T>
  friend class ClassBinder;

  const BindingRegistry& registry_;
  const ClassSchema& schema_;
  std::type_index type_;
  std::function<TComponent*(TComponent*)> create_;
  std::map<std::string, PropertyAccessor> accessors_;
};

class BindingRegistry {
 public:
  explicit BindingRegistry(const SchemaRegistry& schemas) : schemas_(schemas) {}
  BindingRegistry(const BindingRegistry&) = delete;
  BindingRegistry& operator=(const BindingRegistry&) = delete;

  const SchemaRegistry& Schemas() const { return schemas_; }
  const ClassBinding* ByName(const std::string& className) const;
  const ClassBinding* ByObject(const TPersistent& object) const;

  // "TLabel.Caption", ...: every stored property of a bound class that neither the
  // class nor a bound ancestor can get and set, and every nested class left unbound.
  std::vector<std::string> Unbound() const;

  // Used by ClassBinder.
  ClassBinding& Add(const std::string& className, std::type_index type);

 private:
  const SchemaRegistry& schemas_;
  std::map<std::string, std::unique_ptr<ClassBinding>> byName_;
  // By mangled type name: type_index ordering is not dependable across the
  // MinGW runtime for classes of anonymous namespaces.
  std::map<std::string, ClassBinding*> byType_;
};

namespace binding_detail {

template <class V>
struct IsEvent : std::false_type {};
template <class... Args>
struct IsEvent<TEvent<Args...>> : std::true_type {};

template <class V>
constexpr bool kIsNumber = (std::is_integral_v<V> || std::is_enum_v<V>) && !std::is_same_v<V, bool>;

// Whether a C++ value type can carry a property of this kind.
template <class V>
bool Fits(PropertyKind kind) {
  if constexpr (std::is_same_v<V, bool>)
    return kind == PropertyKind::Bool;
  else if constexpr (kIsNumber<V>)
    return kind == PropertyKind::Int32 || kind == PropertyKind::Enum || kind == PropertyKind::Set ||
           kind == PropertyKind::Colour;
  else if constexpr (std::is_same_v<V, std::string>)
    return kind == PropertyKind::String;
  else if constexpr (std::is_same_v<V, TStringList>)
    return kind == PropertyKind::Strings;
  else if constexpr (IsEvent<V>::value)
    return kind == PropertyKind::Event;
  else
    return false;
}

template <class V>
V FromValue(const PropertyValue& value, const THandlerTable& handlers) {
  if constexpr (std::is_same_v<V, bool>)
    return value.number != 0;
  else if constexpr (kIsNumber<V>)
    return static_cast<V>(value.number);
  else if constexpr (std::is_same_v<V, std::string>)
    return value.text;
  else if constexpr (std::is_same_v<V, TStringList>) {
    TStringList list;
    for (const std::string& line : value.lines) list.Add(line);
    return list;
  } else {
    static_assert(IsEvent<V>::value, "a property value type without a conversion");
    return handlers.Find<V>(value.text);
  }
}

template <class V>
PropertyValue ToValue(const V& v, PropertyKind kind) {
  PropertyValue value;
  value.kind = kind;
  if constexpr (std::is_same_v<V, bool>)
    value.number = v ? 1 : 0;
  else if constexpr (kIsNumber<V>) {
    // Sets travel as unsigned bits, everything else as a signed number.
    if (kind == PropertyKind::Set)
      value.number = static_cast<std::uint32_t>(v);
    else
      value.number = static_cast<std::int64_t>(v);
  } else if constexpr (std::is_same_v<V, std::string>)
    value.text = v;
  else if constexpr (std::is_same_v<V, TStringList>)
    value.lines = v.Lines();
  else if constexpr (IsEvent<V>::value) {
    if (v.Assigned()) value.text = v.HandlerName();
  }
  return value;
}

}  // namespace binding_detail

template <class T>
class ClassBinder {
 public:
  ClassBinder(BindingRegistry& registry, const std::string& className)
      : binding_(registry.Add(className, typeid(T))) {}

  // Components of this class can be created from a description: new T(owner).
  ClassBinder& Creatable() {
    binding_.create_ = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return *this;
  }
  // ... or by a factory given the owner (a control also takes its parent there).
  template <class Factory>
  ClassBinder& Creatable(Factory factory) {
    binding_.create_ = [factory](TComponent* owner) -> TComponent* { return factory(owner); };
    return *this;
  }

  // The writer leaves out a bound property (or a whole nested object) while stored
  // says no: a font that follows the parent's is the parent's to write.
  template <class Stored>
  ClassBinder& StoredWhen(const std::string& name, Stored stored) {
    const auto found = binding_.accessors_.find(name);
    if (found == binding_.accessors_.end())
      throw std::logic_error(binding_.schema_.Name() + "." + name + " is not bound");
    found->second.stored = [stored](TPersistent& object) {
      return std::invoke(stored, static_cast<T&>(object));
    };
    return *this;
  }

  // get: a member function or callable taking T&; set: one taking (T&, value).
  template <class Get, class Set>
  ClassBinder& Property(const std::string& name, Get get, Set set) {
    using V = std::decay_t<std::invoke_result_t<Get, T&>>;
    PropertyAccessor& accessor = Declare(name);
    if (!binding_detail::Fits<V>(accessor.schema->kind)) Mismatch(name);
    const PropertyKind kind = accessor.schema->kind;
    accessor.set = [set](TPersistent& object, const PropertyValue& value,
                         const THandlerTable& handlers) {
      std::invoke(set, static_cast<T&>(object), binding_detail::FromValue<V>(value, handlers));
    };
    accessor.get = [get, kind](TPersistent& object) {
      return binding_detail::ToValue<V>(std::invoke(get, static_cast<T&>(object)), kind);
    };
    return *this;
  }

  // get: returns the nested object (a reference to a TPersistent) of an object property.
  template <class Get>
  ClassBinder& Object(const std::string& name, Get get) {
    PropertyAccessor& accessor = Declare(name);
    if (accessor.schema->kind != PropertyKind::Object) Mismatch(name);
    accessor.object = [get](TPersistent& object) -> TPersistent& {
      return std::invoke(get, static_cast<T&>(object));
    };
    return *this;
  }

  // A Picture or Binary property: stored says whether it is written at all; read
  // takes exactly the property's bytes; write appends them.
  template <class Stored, class Read, class Write>
  ClassBinder& Bytes(const std::string& name, Stored stored, Read read, Write write) {
    PropertyAccessor& accessor = Declare(name);
    if (accessor.schema->kind != PropertyKind::Picture &&
        accessor.schema->kind != PropertyKind::Binary) {
      Mismatch(name);
    }
    accessor.stored = [stored](TPersistent& object) {
      return std::invoke(stored, static_cast<T&>(object));
    };
    accessor.read = [read](TPersistent& object, TStream& in) {
      std::invoke(read, static_cast<T&>(object), in);
    };
    accessor.write = [write](TPersistent& object, TStream& out) {
      std::invoke(write, static_cast<T&>(object), out);
    };
    return *this;
  }

 private:
  PropertyAccessor& Declare(const std::string& name) {
    const PropertySchema* schema = binding_.schema_.Find(name);
    if (!schema)
      throw std::logic_error(binding_.schema_.Name() + " has no published property " + name);
    if (schema->neverStored)
      throw std::logic_error(binding_.schema_.Name() + "." + name + " is never stored");
    PropertyAccessor& accessor = binding_.accessors_[name];
    if (accessor.schema)
      throw std::logic_error(binding_.schema_.Name() + "." + name + " is bound twice");
    accessor.schema = schema;
    return accessor;
  }
  [[noreturn]] void Mismatch(const std::string& name) const {
    throw std::logic_error(binding_.schema_.Name() + "." + name +
                           ": the C++ type does not fit its kind");
  }

  ClassBinding& binding_;
};
