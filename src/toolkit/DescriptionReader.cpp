#include "toolkit/DescriptionReader.h"

#include <cstring>

#include "base/LittleEndian.h"

DescriptionReader::DescriptionReader(TSpanStream& in) : in_(in) {
  const std::uint8_t* magic = Take(sizeof kDescriptionMagic);
  if (std::memcmp(magic, kDescriptionMagic, sizeof kDescriptionMagic) != 0) {
    in_.Seek(0);
    Fail("not a window description (the magic \"HVWD\" is missing)");
  }
  const std::int32_t version = ReadInt32();
  if (version != kDescriptionVersion) {
    Fail("version " + std::to_string(version) + " is not supported (this program reads version " +
         std::to_string(kDescriptionVersion) + ")");
  }
  recordCount_ = ReadInt32();
  if (recordCount_ < 1)
    Fail("record count " + std::to_string(recordCount_) + " (the form itself is missing)");
}

void DescriptionReader::Fail(const std::string& what) const {
  throw EDescriptionError("window description, byte " + std::to_string(in_.Position()) + ": " +
                          what);
}

const std::uint8_t* DescriptionReader::Take(std::size_t count) {
  const std::uint8_t* bytes = in_.Lend(count);
  if (!bytes) {
    Fail("truncated: " + std::to_string(count) + " bytes wanted, " +
         std::to_string(in_.Remaining()) + " left");
  }
  return bytes;
}

std::uint8_t DescriptionReader::ReadByte() {
  return *Take(1);
}

std::int32_t DescriptionReader::ReadInt32() {
  return static_cast<std::int32_t>(LoadLe32(Take(4)));
}

std::size_t DescriptionReader::ReadLength() {
  const std::int32_t length = ReadInt32();
  if (length < 0) Fail("negative length " + std::to_string(length));
  if (length > in_.Remaining()) {
    Fail("truncated: a value of " + std::to_string(length) + " bytes, " +
         std::to_string(in_.Remaining()) + " left");
  }
  return static_cast<std::size_t>(length);
}

std::string DescriptionReader::ReadIdent(const char* what, bool mayBeEmpty) {
  const std::size_t length = ReadByte();
  if (length == 0 && !mayBeEmpty) Fail(std::string("empty ") + what);
  const std::uint8_t* bytes = Take(length);
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

std::string DescriptionReader::ReadText() {
  const std::size_t length = ReadLength();
  const std::uint8_t* bytes = Take(length);
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

void DescriptionReader::ReadRecordHead(std::string& className, std::string& name) {
  className = ReadIdent("class name", false);
  name = ReadIdent("component name", true);
}

bool DescriptionReader::ReadProperty(std::string& path, PropertyValue& value) {
  const std::uint8_t kind = ReadByte();
  if (kind == kEndOfProperties) return false;
  if (kind > static_cast<std::uint8_t>(PropertyKind::Event)) {
    in_.Seek(in_.Position() - 1);
    Fail("unknown value type " + std::to_string(kind));
  }
  path = ReadIdent("property name", false);
  value = PropertyValue{};
  value.kind = static_cast<PropertyKind>(kind);
  switch (value.kind) {
    case PropertyKind::Bool:
      value.number = ReadByte();
      if (value.number > 1) Fail(path + ": " + std::to_string(value.number) + " is not a Boolean");
      break;
    case PropertyKind::Enum:
      value.number = ReadByte();
      break;
    case PropertyKind::Int32:
    case PropertyKind::Colour:
      value.number = ReadInt32();
      break;
    case PropertyKind::Set:
      value.number = static_cast<std::uint32_t>(ReadInt32());
      break;
    case PropertyKind::String:
      value.text = ReadText();
      break;
    case PropertyKind::Strings: {
      // A count of lines, not of bytes: each line takes at least its 4-byte length, so a
      // count that the rest of the description cannot hold is refused before it sizes
      // anything.
      const std::int32_t count = ReadInt32();
      if (count < 0 ||
          static_cast<std::uint64_t>(count) * 4 > static_cast<std::uint64_t>(in_.Remaining())) {
        Fail(path + ": a string list of " + std::to_string(count) + " lines, " +
             std::to_string(in_.Remaining()) + " bytes left");
      }
      value.lines.reserve(static_cast<std::size_t>(count));
      for (std::int32_t i = 0; i < count; ++i) value.lines.push_back(ReadText());
      break;
    }
    case PropertyKind::Picture:
    case PropertyKind::Binary:
      value.size = ReadLength();
      value.data = Take(value.size);
      break;
    case PropertyKind::Event:
      value.text = ReadIdent("handler name", false);
      break;
    case PropertyKind::Object:
      break;  // excluded above
  }
  return true;
}

void DescriptionReader::ExpectEnd() {
  if (in_.Remaining() != 0)
    Fail(std::to_string(in_.Remaining()) + " unexpected bytes after the last component");
}
