// Reads a binary window description in place: strings are copied out (they are
// short), bytes values are handed out as pointers into the description itself. Every
// length is checked against what is left before it is trusted; any fault throws
// EDescriptionError naming the byte offset.
#pragma once

#include <cstdint>
#include <string>

#include "base/ByteStream.h"
#include "toolkit/DescriptionFormat.h"

class DescriptionReader {
 public:
  // Reads and checks the header.
  explicit DescriptionReader(TSpanStream& in);

  std::int32_t RecordCount() const { return recordCount_; }

  void ReadRecordHead(std::string& className, std::string& name);
  // The next property of the current record; false at its end.
  bool ReadProperty(std::string& path, PropertyValue& value);
  // After the last record: nothing may follow.
  void ExpectEnd();

  // "window description, byte N: what"
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  std::uint8_t ReadByte();
  std::int32_t ReadInt32();
  std::size_t ReadLength();
  std::string ReadIdent(const char* what, bool mayBeEmpty);
  std::string ReadText();
  const std::uint8_t* Take(std::size_t count);

  TSpanStream& in_;
  std::int32_t recordCount_ = 0;
};
