#include "toolkit/Binding.h"

#include <stdexcept>

const PropertyAccessor* ClassBinding::Find(const std::string& name) const {
  for (const ClassBinding* b = this; b;) {
    const auto found = b->accessors_.find(name);
    if (found != b->accessors_.end()) return &found->second;
    const ClassSchema* parent = b->schema_.Parent();
    b = parent ? registry_.ByName(parent->Name()) : nullptr;
  }
  return nullptr;
}

ClassBinding& BindingRegistry::Add(const std::string& className, std::type_index type) {
  const ClassSchema& schema = schemas_.Class(className);
  if (byName_.count(className)) throw std::logic_error("class " + className + " is bound twice");
  if (byType_.count(type.name()))
    throw std::logic_error("one C++ class is bound as two classes, one of them " + className);
  auto binding = std::make_unique<ClassBinding>(*this, schema, type);
  ClassBinding& added = *binding;
  byName_[className] = std::move(binding);
  byType_.emplace(type.name(), &added);
  return added;
}

const ClassBinding* BindingRegistry::ByName(const std::string& className) const {
  const auto found = byName_.find(className);
  return found == byName_.end() ? nullptr : found->second.get();
}

const ClassBinding* BindingRegistry::ByObject(const TPersistent& object) const {
  const auto found = byType_.find(typeid(object).name());
  return found == byType_.end() ? nullptr : found->second;
}

std::vector<std::string> BindingRegistry::Unbound() const {
  std::vector<std::string> missing;
  for (const auto& [name, binding] : byName_) {
    for (const PropertySchema* property : binding->Schema().Properties()) {
      if (property->neverStored) continue;
      const std::string where = name + "." + property->name;
      const PropertyAccessor* accessor = binding->Find(property->name);
      if (!accessor) {
        missing.push_back(where);
      } else if (property->kind == PropertyKind::Object && !ByName(property->objectClass->Name())) {
        missing.push_back(where + " (class " + property->objectClass->Name() + ")");
      }
    }
  }
  return missing;
}
