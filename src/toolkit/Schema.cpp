#include "toolkit/Schema.h"

#include <algorithm>
#include <stdexcept>

const char* KindName(PropertyKind kind) {
  switch (kind) {
    case PropertyKind::Bool:
      return "bool";
    case PropertyKind::Int32:
      return "int32";
    case PropertyKind::Enum:
      return "enum";
    case PropertyKind::Set:
      return "set";
    case PropertyKind::String:
      return "string";
    case PropertyKind::Strings:
      return "string list";
    case PropertyKind::Colour:
      return "colour";
    case PropertyKind::Picture:
      return "picture";
    case PropertyKind::Binary:
      return "binary";
    case PropertyKind::Event:
      return "event";
    case PropertyKind::Object:
      return "object";
  }
  return "unknown kind";
}

int TypeNames::IndexOf(const std::string& value) const {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

bool ClassSchema::InheritsFrom(const std::string& className) const {
  for (const ClassSchema* c = this; c; c = c->parent_) {
    if (c->name_ == className) return true;
  }
  return false;
}

const PropertySchema* ClassSchema::Find(const std::string& name) const {
  for (const ClassSchema* c = this; c; c = c->parent_) {
    for (const PropertySchema& p : c->own_) {
      if (p.name == name) return &p;
    }
  }
  return nullptr;
}

std::vector<const PropertySchema*> ClassSchema::Properties() const {
  std::vector<const PropertySchema*> all =
      parent_ ? parent_->Properties() : std::vector<const PropertySchema*>{};
  for (const PropertySchema& p : own_) {
    const auto inherited = std::find_if(all.begin(), all.end(),
                                        [&](const PropertySchema* a) { return a->name == p.name; });
    if (inherited != all.end()) {
      *inherited = &p;
    } else {
      all.push_back(&p);
    }
  }
  return all;
}

ClassSchema& ClassSchema::Declare(PropertySchema property) {
  for (const PropertySchema& p : own_) {
    if (p.name == property.name) {
      throw std::logic_error(name_ + "." + property.name + " is declared twice");
    }
  }
  // A redeclaration may change the default, never the kind: stored values would
  // otherwise mean different things for a class and its ancestor.
  if (parent_) {
    if (const PropertySchema* inherited = parent_->Find(property.name)) {
      if (inherited->kind != property.kind) {
        throw std::logic_error(name_ + "." + property.name +
                               " changes the kind of its ancestor's property");
      }
    }
  }
  own_.push_back(std::move(property));
  return *this;
}

namespace {

PropertySchema WithDefault(const std::string& name, PropertyKind kind, std::int64_t number) {
  PropertySchema p;
  p.name = name;
  p.kind = kind;
  p.hasDefault = true;
  p.defaultNumber = number;
  return p;
}

PropertySchema Plain(const std::string& name, PropertyKind kind) {
  PropertySchema p;
  p.name = name;
  p.kind = kind;
  return p;
}

}  // namespace

ClassSchema& ClassSchema::Bool(const std::string& name, bool defaultValue) {
  return Declare(WithDefault(name, PropertyKind::Bool, defaultValue ? 1 : 0));
}

ClassSchema& ClassSchema::Int32(const std::string& name, std::int32_t defaultValue) {
  return Declare(WithDefault(name, PropertyKind::Int32, defaultValue));
}

ClassSchema& ClassSchema::Int32(const std::string& name) {
  return Declare(Plain(name, PropertyKind::Int32));
}

ClassSchema& ClassSchema::Enum(const std::string& name, const TypeNames& names,
                               int defaultOrdinal) {
  if (names.values.empty() || names.values.size() > 256 || defaultOrdinal < 0 ||
      defaultOrdinal >= static_cast<int>(names.values.size())) {
    throw std::logic_error(name_ + "." + name + ": enumeration " + names.name + " does not fit");
  }
  PropertySchema p = WithDefault(name, PropertyKind::Enum, defaultOrdinal);
  p.names = &names;
  return Declare(std::move(p));
}

ClassSchema& ClassSchema::Set(const std::string& name, const TypeNames& names,
                              std::uint32_t defaultBits) {
  if (names.values.empty() || names.values.size() > 32) {
    throw std::logic_error(name_ + "." + name + ": set " + names.name + " does not fit");
  }
  PropertySchema p = WithDefault(name, PropertyKind::Set, defaultBits);
  p.names = &names;
  return Declare(std::move(p));
}

ClassSchema& ClassSchema::String(const std::string& name, const std::string& defaultValue) {
  PropertySchema p = WithDefault(name, PropertyKind::String, 0);
  p.defaultText = defaultValue;
  return Declare(std::move(p));
}

ClassSchema& ClassSchema::Strings(const std::string& name) {
  return Declare(WithDefault(name, PropertyKind::Strings, 0));
}

ClassSchema& ClassSchema::Colour(const std::string& name, std::int32_t defaultValue) {
  return Declare(WithDefault(name, PropertyKind::Colour, defaultValue));
}

ClassSchema& ClassSchema::Picture(const std::string& name) {
  return Declare(WithDefault(name, PropertyKind::Picture, 0));
}

ClassSchema& ClassSchema::Binary(const std::string& name) {
  return Declare(Plain(name, PropertyKind::Binary));
}

ClassSchema& ClassSchema::Event(const std::string& name) {
  return Declare(WithDefault(name, PropertyKind::Event, 0));
}

ClassSchema& ClassSchema::Object(const std::string& name, const ClassSchema& objectClass) {
  PropertySchema p = Plain(name, PropertyKind::Object);
  p.objectClass = &objectClass;
  return Declare(std::move(p));
}

ClassSchema& ClassSchema::NeverStored(const std::string& name, PropertyKind kind) {
  PropertySchema p = Plain(name, kind);
  p.neverStored = true;
  return Declare(std::move(p));
}

ClassSchema& SchemaRegistry::AddClass(const std::string& name, const std::string& parent) {
  if (classByName_.count(name)) throw std::logic_error("class " + name + " is registered twice");
  const ClassSchema* parentSchema = parent.empty() ? nullptr : &Class(parent);
  ClassSchema& added = classes_.emplace_back(name, parentSchema);
  classByName_[name] = &added;
  return added;
}

const TypeNames& SchemaRegistry::AddNames(const std::string& name,
                                          std::vector<std::string> values) {
  if (namesByName_.count(name)) throw std::logic_error("type " + name + " is registered twice");
  const TypeNames& added = names_.emplace_back(TypeNames{name, std::move(values)});
  namesByName_[name] = &added;
  return added;
}

const ClassSchema* SchemaRegistry::FindClass(const std::string& name) const {
  const auto found = classByName_.find(name);
  return found == classByName_.end() ? nullptr : found->second;
}

const ClassSchema& SchemaRegistry::Class(const std::string& name) const {
  const ClassSchema* found = FindClass(name);
  if (!found) throw std::logic_error("class " + name + " is not registered");
  return *found;
}

const TypeNames& SchemaRegistry::Names(const std::string& name) const {
  const auto found = namesByName_.find(name);
  if (found == namesByName_.end()) throw std::logic_error("type " + name + " is not registered");
  return *found->second;
}

bool ResolvePropertyPath(const ClassSchema& schema, const std::string& path, ResolvedPath& resolved,
                         std::string& error) {
  resolved.steps.clear();
  const ClassSchema* current = &schema;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = path.find('.', start);
    const std::string step =
        path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const PropertySchema* property = current->Find(step);
    if (!property) {
      error = current->Name() + " has no property " + (step.empty() ? "\"\"" : step);
      return false;
    }
    resolved.steps.push_back(property);
    if (dot == std::string::npos) break;
    if (property->neverStored) {
      error = property->name + " is never stored";
      return false;
    }
    if (property->kind != PropertyKind::Object) {
      error = current->Name() + "." + step + " is a " + KindName(property->kind) +
              " and has no properties of its own";
      return false;
    }
    current = property->objectClass;
    start = dot + 1;
  }
  if (resolved.Target().kind == PropertyKind::Object) {
    error = path + " is an object: set its properties (" + path + ".Name = ...)";
    return false;
  }
  return true;
}
