#include "DescriptionWriting.h"

#include <string>
#include <vector>

#include "toolkit/DescriptionWriter.h"

namespace {

void WriteProperties(DescriptionWriter& writer, const BindingRegistry& bindings,
                     const ClassBinding& binding, TPersistent& object, const std::string& prefix) {
  for (const PropertySchema* property : binding.Schema().Properties()) {
    if (property->neverStored) continue;
    const std::string path = prefix + property->name;
    const PropertyAccessor* accessor = binding.Find(property->name);
    if (!accessor) throw EDescriptionError(path + " is not bound");
    if (accessor->stored && !accessor->stored(object)) continue;
    switch (property->kind) {
      case PropertyKind::Object: {
        const ClassBinding* nested = bindings.ByName(property->objectClass->Name());
        if (!nested)
          throw EDescriptionError("class " + property->objectClass->Name() + " is not bound");
        WriteProperties(writer, bindings, *nested, accessor->object(object), path + ".");
        break;
      }
      case PropertyKind::Picture:
      case PropertyKind::Binary:
        writer.WriteProducedBytes(path, property->kind,
                                  [&](TStream& out) { accessor->write(object, out); });
        break;
      default: {
        const PropertyValue value = accessor->get(object);
        // An event assigned in code has no handler name and is not the description's.
        if (property->kind == PropertyKind::Event && value.text.empty()) break;
        if (!IsDeclaredDefault(*property, value)) writer.WriteProperty(path, value);
      }
    }
  }
}

void WriteRecord(DescriptionWriter& writer, const BindingRegistry& bindings,
                 TComponent& component) {
  const ClassBinding* binding = bindings.ByObject(component);
  if (!binding) throw EDescriptionError("the class of " + component.Name() + " is not registered");
  writer.BeginRecord(binding->Schema().Name(), component.Name());
  WriteProperties(writer, bindings, *binding, component, "");
  writer.EndRecord();
}

}  // namespace

void WriteDescription(TComponent& root, TStream& out, const BindingRegistry& bindings) {
  const std::vector<TComponent*>& components = root.Components();
  DescriptionWriter writer(out, static_cast<std::int32_t>(components.size() + 1));
  WriteRecord(writer, bindings, root);
  for (TComponent* component : components) WriteRecord(writer, bindings, *component);
}
