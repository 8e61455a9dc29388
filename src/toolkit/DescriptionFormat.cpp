#include "toolkit/DescriptionFormat.h"

bool IsDeclaredDefault(const PropertySchema& property, const PropertyValue& value) {
  if (!property.hasDefault) return false;
  switch (property.kind) {
    case PropertyKind::Bool:
    case PropertyKind::Int32:
    case PropertyKind::Enum:
    case PropertyKind::Set:
    case PropertyKind::Colour:
      return value.number == property.defaultNumber;
    case PropertyKind::String:
      return value.text == property.defaultText;
    case PropertyKind::Strings:
      return value.lines.empty();
    case PropertyKind::Event:
      return value.text.empty();
    case PropertyKind::Picture:
      return value.size == 0;
    case PropertyKind::Binary:
    case PropertyKind::Object:
      return false;
  }
  return false;
}
