#include "toolkit/DescriptionLoader.h"

#include <string>
#include <vector>

#include "toolkit/DescriptionReader.h"

namespace {

// Checks a streamed value against the property it names before any object sees it.
void CheckValue(const std::string& path, const PropertySchema& property,
                const PropertyValue& value) {
  if (property.neverStored) throw EDescriptionError(path + " is never stored");
  if (value.kind != property.kind) {
    throw EDescriptionError(path + " is a " + KindName(property.kind) +
                            " property, the description holds a " + KindName(value.kind));
  }
  if (property.kind == PropertyKind::Enum &&
      value.number >= static_cast<std::int64_t>(property.names->values.size())) {
    throw EDescriptionError(path + ": ordinal " + std::to_string(value.number) + " is not a " +
                            property.names->name);
  }
  if (property.kind == PropertyKind::Set && property.names->values.size() < 32 &&
      (value.number >> property.names->values.size()) != 0) {
    throw EDescriptionError(path + ": bits outside " + property.names->name);
  }
}

const PropertyAccessor& AccessorOf(const ClassBinding& binding, const PropertySchema& property) {
  const PropertyAccessor* accessor = binding.Find(property.name);
  if (!accessor)
    throw EDescriptionError(binding.Schema().Name() + "." + property.name + " cannot be set");
  return *accessor;
}

const ClassBinding& NestedBinding(const BindingRegistry& bindings, const PropertySchema& property) {
  const ClassBinding* nested = bindings.ByName(property.objectClass->Name());
  if (!nested) throw EDescriptionError("class " + property.objectClass->Name() + " cannot be set");
  return *nested;
}

void ApplyProperty(const BindingRegistry& bindings, const ClassBinding& binding,
                   TPersistent& object, const std::string& path, const PropertyValue& value,
                   const THandlerTable& handlers) {
  ResolvedPath resolved;
  std::string error;
  if (!ResolvePropertyPath(binding.Schema(), path, resolved, error)) throw EDescriptionError(error);
  CheckValue(path, resolved.Target(), value);

  const ClassBinding* current = &binding;
  TPersistent* target = &object;
  for (std::size_t i = 0; i + 1 < resolved.steps.size(); ++i) {
    target = &AccessorOf(*current, *resolved.steps[i]).object(*target);
    current = &NestedBinding(bindings, *resolved.steps[i]);
  }
  const PropertyAccessor& accessor = AccessorOf(*current, resolved.Target());
  if (value.kind == PropertyKind::Picture || value.kind == PropertyKind::Binary) {
    TSpanStream bytes(value.data, value.size);
    accessor.read(*target, bytes);
  } else {
    accessor.set(*target, value, handlers);
  }
}

void ApplyRecord(DescriptionReader& reader, const BindingRegistry& bindings,
                 const ClassBinding& binding, TPersistent& object, const THandlerTable& handlers,
                 std::string& where) {
  const std::string component = where;
  std::string path;
  PropertyValue value;
  while (reader.ReadProperty(path, value)) {
    where = component + ", property " + path;
    ApplyProperty(bindings, binding, object, path, value, handlers);
  }
  where = component;
}

// Everything the loader created, destroyed again unless the load completes.
class CreatedComponents {
 public:
  ~CreatedComponents() {
    while (!created_.empty()) {
      delete created_.back();
      created_.pop_back();
    }
  }
  void Add(TComponent* component) { created_.push_back(component); }
  const std::vector<TComponent*>& All() const { return created_; }
  void Keep() { created_.clear(); }

 private:
  std::vector<TComponent*> created_;
};

void Load(TComponent& root, DescriptionReader& reader, const BindingRegistry& bindings,
          const THandlerTable& handlers, std::string& where) {
  std::string className;
  std::string name;
  reader.ReadRecordHead(className, name);
  const ClassBinding* rootBinding = bindings.ByObject(root);
  if (!rootBinding) throw EDescriptionError("the class of the form is not registered");
  if (rootBinding->Schema().Name() != className) {
    throw EDescriptionError("the description is of a " + className + ", the form is a " +
                            rootBinding->Schema().Name());
  }
  where = name + " (" + className + ")";
  root.SetName(name);
  ApplyRecord(reader, bindings, *rootBinding, root, handlers, where);

  CreatedComponents created;
  for (std::int32_t i = 1; i < reader.RecordCount(); ++i) {
    where = "component " + std::to_string(i);
    reader.ReadRecordHead(className, name);
    where = name + " (" + className + ")";
    const ClassBinding* binding = bindings.ByName(className);
    if (!binding) throw EDescriptionError("unknown class " + className);
    if (!binding->Creatable())
      throw EDescriptionError("class " + className + " cannot be created by a description");
    if (name.empty()) throw EDescriptionError("a component needs a name");
    if (root.FindComponent(name)) throw EDescriptionError("a second component named " + name);
    TComponent* component = binding->Create(&root);
    created.Add(component);
    component->SetName(name);
    ApplyRecord(reader, bindings, *binding, *component, handlers, where);
  }
  where.clear();
  reader.ExpectEnd();

  for (TComponent* component : created.All()) {
    where = component->Name() + ", after loading";
    component->Loaded();
  }
  where = root.Name() + ", after loading";
  root.Loaded();
  created.Keep();
}

}  // namespace

void LoadDescription(TComponent& root, TSpanStream& in, const BindingRegistry& bindings,
                     const THandlerTable& handlers) {
  std::string where;
  try {
    DescriptionReader reader(in);
    Load(root, reader, bindings, handlers, where);
  } catch (const std::exception& e) {
    throw EDescriptionError(where.empty() ? e.what() : where + ": " + e.what());
  }
}
