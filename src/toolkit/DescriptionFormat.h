// The binary window description: what the description compiler writes, what the
// program carries as a resource and what the loader reads in place. The byte layout
// is documented in docs/window-description.md; this header is its contract.
//
//   header:    "HVWD", int32 version (1), int32 record count (at least 1)
//   record:    ident class, ident name, properties, byte 0
//   property:  byte kind, ident path, payload by kind
//   ident:     byte length, that many bytes (class names and paths: 1..255)
//
// Record 0 describes the form itself; the others are its components in creation
// order. Integers are little-endian; lengths and counts are signed 32-bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Schema.h"

// The one failure of reading a description: bad magic, truncation, an unknown class
// or property, a value that does not fit, or a property value (such as a stored-file
// container) that its class refused. The message says where and what.
class EDescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr char kDescriptionMagic[4] = {'H', 'V', 'W', 'D'};
constexpr std::int32_t kDescriptionVersion = 1;
constexpr std::uint8_t kEndOfProperties = 0;

// One property value as it travels between the compiler, the stream and the loader.
// Bytes are viewed, not owned: in the loader they point into the description itself.
struct PropertyValue {
  PropertyKind kind = PropertyKind::Int32;
  std::int64_t number = 0;             // Bool (0/1), Int32, Enum, Set (bits), Colour
  std::string text;                    // String; Event: the handler's name
  std::vector<std::string> lines;      // Strings
  const std::uint8_t* data = nullptr;  // Picture, Binary
  std::size_t size = 0;
};

// True when value equals the property's declared default (never for a property
// without one, nor for bytes: an empty picture is simply not written).
bool IsDeclaredDefault(const PropertySchema& property, const PropertyValue& value);
