#include "DescriptionCompiler.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>

#include "base/ByteStream.h"
#include "toolkit/ColorNames.h"
#include "toolkit/DescriptionWriter.h"
#include "tools/common/InputFile.h"

namespace {

// The values of one object, by property path, each read with its bytes.
struct CheckedValue {
  PropertyValue value;
  std::shared_ptr<std::vector<std::uint8_t>> bytes;  // keeps value.data alive
};
using CheckedValues = std::map<std::string, CheckedValue>;

class Compiler {
 public:
  Compiler(const std::string& sourceName, const std::vector<std::string>& searchPath,
           const SchemaRegistry& schemas)
      : sourceName_(sourceName), searchPath_(searchPath), schemas_(schemas) {
    const std::size_t slash = sourceName.find_last_of("/\\");
    if (slash != std::string::npos)
      searchPath_.push_back(sourceName.substr(0, slash));
    else
      searchPath_.push_back(".");
  }

  CompiledDescription Compile(const SourceDocument& document) {
    TMemoryStream stream;
    DescriptionWriter writer(stream, static_cast<std::int32_t>(document.components.size() + 1));
    std::map<std::string, int> names;
    names[document.form.name] = document.form.line;
    EmitObject(writer, document.form);
    for (const SourceObject& component : document.components) {
      if (!names.emplace(component.name, component.line).second) {
        Fail(component.line, "a second component named " + component.name +
                                 " (the first is on line " + std::to_string(names[component.name]) +
                                 ")");
      }
      EmitObject(writer, component);
    }
    CompiledDescription result;
    result.bytes.assign(stream.Data(), stream.Data() + stream.Size());
    result.inputFiles = inputFiles_;
    return result;
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw ECompileError(sourceName_ + ":" + std::to_string(line) + ": " + what);
  }

  void EmitObject(DescriptionWriter& writer, const SourceObject& object) {
    const ClassSchema* schema = schemas_.FindClass(object.className);
    if (!schema) Fail(object.line, "unknown class " + object.className);
    if (!schema->InheritsFrom("TComponent")) {
      Fail(object.line, object.className + " is not a component class");
    }
    CheckedValues values;
    std::map<std::string, int> lines;
    for (const SourceProperty& property : object.properties) {
      if (!lines.emplace(property.path, property.line).second) {
        Fail(property.line, property.path + " is set twice (first on line " +
                                std::to_string(lines[property.path]) + ")");
      }
      ResolvedPath resolved;
      std::string error;
      if (!ResolvePropertyPath(*schema, property.path, resolved, error)) Fail(property.line, error);
      const PropertySchema& target = resolved.Target();
      if (target.neverStored)
        Fail(property.line, property.path + " is never stored: it follows from other values");
      values[property.path] = Check(property, target);
    }
    writer.BeginRecord(object.className, object.name);
    EmitProperties(writer, *schema, values, "");
    writer.EndRecord();
  }

  // Declared order, nested objects in place, defaults left out.
  void EmitProperties(DescriptionWriter& writer, const ClassSchema& schema,
                      const CheckedValues& values, const std::string& prefix) {
    for (const PropertySchema* property : schema.Properties()) {
      if (property->neverStored) continue;
      const std::string path = prefix + property->name;
      if (property->kind == PropertyKind::Object) {
        EmitProperties(writer, *property->objectClass, values, path + ".");
        continue;
      }
      const auto found = values.find(path);
      if (found == values.end() || IsDeclaredDefault(*property, found->second.value)) continue;
      writer.WriteProperty(path, found->second.value);
    }
  }

  CheckedValue Check(const SourceProperty& property, const PropertySchema& target) {
    const SourceValue& source = property.value;
    CheckedValue checked;
    PropertyValue& value = checked.value;
    value.kind = target.kind;
    const auto expect = [&](SourceValue::Form form, const char* what) {
      if (source.form != form) {
        Fail(property.line, property.path + " is " + KindArticle(target) + " property: it takes " +
                                what + ", not " + DescribeForm(source.form));
      }
    };
    switch (target.kind) {
      case PropertyKind::Bool:
        expect(SourceValue::Form::Boolean, "true or false");
        value.number = source.boolean ? 1 : 0;
        break;
      case PropertyKind::Int32:
        expect(SourceValue::Form::Number, "a number");
        value.number = Int32Of(property);
        break;
      case PropertyKind::Colour:
        if (source.form == SourceValue::Form::Name) {
          const auto colour = ColorByName(source.text);
          if (!colour) Fail(property.line, "unknown colour " + source.text);
          value.number = *colour;
        } else {
          expect(SourceValue::Form::Number, "a number or a colour name");
          value.number = Int32Of(property);
        }
        break;
      case PropertyKind::Enum:
        expect(SourceValue::Form::Name, "a value name");
        value.number = IndexIn(*target.names, source.text, property.line);
        break;
      case PropertyKind::Set:
        expect(SourceValue::Form::NameSet, "a set of value names");
        for (const std::string& item : source.items) {
          value.number |= std::int64_t{1} << IndexIn(*target.names, item, property.line);
        }
        break;
      case PropertyKind::String:
        expect(SourceValue::Form::Text, "a string");
        value.text = source.text;
        break;
      case PropertyKind::Strings:
        expect(SourceValue::Form::TextList, "a string list");
        value.lines = source.items;
        break;
      case PropertyKind::Event:
        expect(SourceValue::Form::Name, "a handler name");
        value.text = source.text;
        break;
      case PropertyKind::Picture:
      case PropertyKind::Binary:
        expect(SourceValue::Form::File, "file \"name\"");
        checked.bytes = ReadFile(source.text, property.line);
        if (target.kind == PropertyKind::Picture && !IsBmp(*checked.bytes)) {
          Fail(property.line, source.text + " is not a BMP file");
        }
        value.data = checked.bytes->data();
        value.size = checked.bytes->size();
        break;
      case PropertyKind::Object:
        break;  // ResolvePropertyPath refuses objects
    }
    return checked;
  }

  static std::string KindArticle(const PropertySchema& target) {
    const std::string kind = KindName(target.kind);
    const bool vowel = std::string("aeiou").find(kind[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + kind;
  }

  std::int64_t Int32Of(const SourceProperty& property) const {
    const std::int64_t n = property.value.number;
    if (n < INT32_MIN || n > INT32_MAX) {
      // Hex up to 0xFFFFFFFF names the bits of a negative number (system colours).
      if (n > INT32_MAX && n <= 0xFFFFFFFFLL)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
      Fail(property.line, property.path + ": " + std::to_string(n) + " does not fit in 32 bits");
    }
    return n;
  }

  int IndexIn(const TypeNames& names, const std::string& name, int line) const {
    const int index = names.IndexOf(name);
    if (index < 0) Fail(line, name + " is not a value of " + names.name);
    return index;
  }

  static bool IsBmp(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  }

  std::shared_ptr<std::vector<std::uint8_t>> ReadFile(const std::string& name, int line) {
    std::vector<std::string> candidates;
    if (!name.empty() &&
        (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'))) {
      candidates.push_back(name);
    } else {
      for (const std::string& folder : searchPath_) candidates.push_back(folder + "/" + name);
    }
    for (const std::string& candidate : candidates) {
      std::error_code ignored;
      if (!std::filesystem::exists(candidate, ignored)) continue;
      try {
        auto bytes = std::make_shared<std::vector<std::uint8_t>>(ReadInputFile(candidate));
        inputFiles_.push_back(candidate);
        return bytes;
      } catch (const EInputError& error) {
        Fail(line, "cannot read file " + name + ": " + error.what());
      }
    }
    std::string searched;
    for (const std::string& folder : searchPath_)
      searched += (searched.empty() ? "" : ", ") + folder;
    Fail(line, "cannot find file " + name + " (searched " + searched + ")");
  }

  std::string sourceName_;
  std::vector<std::string> searchPath_;
  const SchemaRegistry& schemas_;
  std::vector<std::string> inputFiles_;
};

}  // namespace

CompiledDescription CompileDescription(const std::string& sourceText, const std::string& sourceName,
                                       const std::vector<std::string>& searchPath,
                                       const SchemaRegistry& schemas) {
  const SourceDocument document = ParseSource(sourceText, sourceName);
  return Compiler(sourceName, searchPath, schemas).Compile(document);
}
