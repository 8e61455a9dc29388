// The published properties of every class a window description can hold: name,
// kind, declared default, in declared order. Portable, so that the description
// compiler checks a source against the same tables the loader walks at start-up,
// without creating a single window.
//
// A property equal to its declared default is not written; a property without a
// declared default is always written; a never-stored property (a value derived from
// others, such as a count) is not written at all and may not appear in a source.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

enum class PropertyKind : std::uint8_t {
  Bool = 1,
  Int32 = 2,
  Enum = 3,  // 8-bit ordinal with value names
  Set = 4,   // up to 32 value names, one bit each
  String = 5,
  Strings = 6,  // a string list
  Colour = 7,   // 32-bit, red in the low byte; negative names a system colour
  Picture = 8,  // the bytes of a 24-bit BMP file
  Binary = 9,   // bytes the class reads and writes itself; stored when the class says so
  Event = 10,   // the name of a handler of the form
  Object = 11,  // a nested persistent object: its own properties, never a value
};

// "bool", "int32", ...: how messages name a kind.
const char* KindName(PropertyKind kind);

// The value names of an enumeration or of a set, ordinal order.
struct TypeNames {
  std::string name;
  std::vector<std::string> values;
  int IndexOf(const std::string& value) const;  // -1 when unknown
};

class ClassSchema;

struct PropertySchema {
  std::string name;
  PropertyKind kind = PropertyKind::Int32;
  const TypeNames* names = nullptr;          // Enum and Set
  const ClassSchema* objectClass = nullptr;  // Object
  bool hasDefault = false;                   // false: always written
  bool neverStored = false;
  // The declared default: Bool (0/1), Int32, Enum, Set (bits) and Colour use number;
  // String uses text. Strings, Picture and Event default to empty / unassigned.
  std::int64_t defaultNumber = 0;
  std::string defaultText;
};

class ClassSchema {
 public:
  ClassSchema(std::string name, const ClassSchema* parent)
      : name_(std::move(name)), parent_(parent) {}

  const std::string& Name() const { return name_; }
  const ClassSchema* Parent() const { return parent_; }
  bool InheritsFrom(const std::string& className) const;

  // This class's own property of that name, else the nearest ancestor's.
  const PropertySchema* Find(const std::string& name) const;
  // Every property in declared order, ancestors first; a property redeclared with
  // another default keeps its ancestor's place.
  std::vector<const PropertySchema*> Properties() const;

  // Declaring, in published order. Each returns *this for the next declaration.
  ClassSchema& Bool(const std::string& name, bool defaultValue);
  ClassSchema& Int32(const std::string& name, std::int32_t defaultValue);
  ClassSchema& Int32(const std::string& name);  // no default: always written
  ClassSchema& Enum(const std::string& name, const TypeNames& names, int defaultOrdinal);
  ClassSchema& Set(const std::string& name, const TypeNames& names, std::uint32_t defaultBits);
  ClassSchema& String(const std::string& name, const std::string& defaultValue = {});
  ClassSchema& Strings(const std::string& name);
  ClassSchema& Colour(const std::string& name, std::int32_t defaultValue);
  ClassSchema& Picture(const std::string& name);
  ClassSchema& Binary(const std::string& name);
  ClassSchema& Event(const std::string& name);
  ClassSchema& Object(const std::string& name, const ClassSchema& objectClass);
  ClassSchema& NeverStored(const std::string& name, PropertyKind kind);

 private:
  ClassSchema& Declare(PropertySchema property);

  std::string name_;
  const ClassSchema* parent_;
  std::vector<PropertySchema> own_;
};

// Every class and type-name table, by name. Entries never move once added, so the
// pointers between them stay valid for the registry's life.
class SchemaRegistry {
 public:
  SchemaRegistry() = default;
  SchemaRegistry(const SchemaRegistry&) = delete;
  SchemaRegistry& operator=(const SchemaRegistry&) = delete;

  // A class derived from parent (empty: a root class). Adding a name twice, or
  // naming an unknown parent, is a programming error (std::logic_error).
  ClassSchema& AddClass(const std::string& name, const std::string& parent = {});
  const TypeNames& AddNames(const std::string& name, std::vector<std::string> values);

  const ClassSchema* FindClass(const std::string& name) const;
  const ClassSchema& Class(const std::string& name) const;  // std::logic_error if unknown
  const TypeNames& Names(const std::string& name) const;    // std::logic_error if unknown

 private:
  std::deque<ClassSchema> classes_;
  std::deque<TypeNames> names_;
  std::map<std::string, ClassSchema*> classByName_;
  std::map<std::string, const TypeNames*> namesByName_;
};

// Where a dotted property path ("AutoExtract.ExtractTo.Subdirectory") leads.
struct ResolvedPath {
  std::vector<const PropertySchema*> steps;  // every step but the last is an Object
  const PropertySchema& Target() const { return *steps.back(); }
};

// Resolves a path from a class; the text of the error names the step that failed.
// Returns false and fills error when a step is unknown or is not an object.
bool ResolvePropertyPath(const ClassSchema& schema, const std::string& path, ResolvedPath& resolved,
                         std::string& error);
