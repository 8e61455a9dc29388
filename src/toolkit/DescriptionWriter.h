// Writes a binary window description record by record. The caller decides what to
// write (the compiler from a source, the component writer from live objects); the
// writer only lays out the bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/ByteStream.h"
#include "toolkit/DescriptionFormat.h"

class DescriptionWriter {
 public:
  // Writes the header. recordCount counts the form's own record too.
  DescriptionWriter(TStream& out, std::int32_t recordCount);

  void BeginRecord(const std::string& className, const std::string& name);
  // Every kind but Object; bytes are taken from value.data / value.size.
  void WriteProperty(const std::string& path, const PropertyValue& value);
  // Bytes that an object writes itself: the length is filled in afterwards, so out
  // must be able to seek back.
  void WriteProducedBytes(const std::string& path, PropertyKind kind,
                          const std::function<void(TStream&)>& produce);
  void EndRecord();

 private:
  void WriteIdent(const std::string& ident);
  void WriteLength(std::size_t length);
  void WriteText(const std::string& text);

  TStream& out_;
};
