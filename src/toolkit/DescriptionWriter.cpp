#include "toolkit/DescriptionWriter.h"

#include <climits>
#include <cstdint>

DescriptionWriter::DescriptionWriter(TStream& out, std::int32_t recordCount) : out_(out) {
  if (recordCount < 1) throw EDescriptionError("a window description holds at least the form");
  out_.Write(kDescriptionMagic, sizeof kDescriptionMagic);
  out_.WriteInt32(kDescriptionVersion);
  out_.WriteInt32(recordCount);
}

void DescriptionWriter::BeginRecord(const std::string& className, const std::string& name) {
  if (className.empty()) throw EDescriptionError("a component needs a class name");
  WriteIdent(className);
  WriteIdent(name);
}

void DescriptionWriter::EndRecord() {
  const std::uint8_t end = kEndOfProperties;
  out_.Write(&end, 1);
}

void DescriptionWriter::WriteIdent(const std::string& ident) {
  if (ident.size() > 255)
    throw EDescriptionError("name longer than 255 bytes: " + ident.substr(0, 40) + "...");
  const std::uint8_t length = static_cast<std::uint8_t>(ident.size());
  out_.Write(&length, 1);
  out_.Write(ident.data(), ident.size());
}

void DescriptionWriter::WriteLength(std::size_t length) {
  if (length > static_cast<std::size_t>(INT32_MAX))
    throw EDescriptionError("value longer than 2 GB");
  out_.WriteInt32(static_cast<std::int32_t>(length));
}

void DescriptionWriter::WriteText(const std::string& text) {
  WriteLength(text.size());
  out_.Write(text.data(), text.size());
}

void DescriptionWriter::WriteProperty(const std::string& path, const PropertyValue& value) {
  if (path.empty()) throw EDescriptionError("a property needs a name");
  const std::uint8_t kind = static_cast<std::uint8_t>(value.kind);
  out_.Write(&kind, 1);
  WriteIdent(path);
  switch (value.kind) {
    case PropertyKind::Bool:
    case PropertyKind::Enum: {
      const std::uint8_t byte = static_cast<std::uint8_t>(value.number);
      out_.Write(&byte, 1);
      break;
    }
    case PropertyKind::Int32:
    case PropertyKind::Colour:
    case PropertyKind::Set:
      out_.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(value.number)));
      break;
    case PropertyKind::String:
      WriteText(value.text);
      break;
    case PropertyKind::Strings:
      WriteLength(value.lines.size());
      for (const std::string& line : value.lines) WriteText(line);
      break;
    case PropertyKind::Picture:
    case PropertyKind::Binary:
      WriteLength(value.size);
      if (value.size) out_.Write(value.data, value.size);
      break;
    case PropertyKind::Event:
      if (value.text.empty()) throw EDescriptionError(path + ": an event needs a handler name");
      WriteIdent(value.text);
      break;
    case PropertyKind::Object:
      throw EDescriptionError(path + ": an object is written through its own properties");
  }
}

void DescriptionWriter::WriteProducedBytes(const std::string& path, PropertyKind kind,
                                           const std::function<void(TStream&)>& produce) {
  PropertyValue empty;
  empty.kind = kind;
  WriteProperty(path, empty);  // kind, path and a length of 0 for now
  const std::int64_t lengthAt = out_.Position() - 4;
  produce(out_);
  const std::int64_t end = out_.Position();
  const std::int64_t length = end - lengthAt - 4;
  if (length > INT32_MAX) throw EDescriptionError(path + ": value longer than 2 GB");
  out_.Seek(lengthAt);
  out_.WriteInt32(static_cast<std::int32_t>(length));
  out_.Seek(end);
}
