// The stored-data container: the byte layout that carries a stored-file set's
// files inside the executable. Layout and examples: docs/container-format.md.
//
// Written layout ("SFP1"): magic, file count, then per file the name length, the
// name, the stored length S and S bytes of framed codec stream. The reader also
// takes the legacy layout (count, a skipped word, per file name and raw bytes).
//
// Reading trusts nothing: a record that is cut short, a negative length or size, a
// stored length below 4, a count larger than the records present or a block sequence
// that does not decode to the stated size raises EStoredDataError naming the record
// (index, and name once read) and the fault. A legacy record whose bytes are fewer
// than its size raises the stream's EReadError. No size read from the container is
// allocated before the stream is seen to hold the bytes behind it, and a count of 0
// or less reads no record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteStream.h"

class EStoredDataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr std::uint8_t kStoredDataMagic[4] = {0x53, 0x46, 0x50, 0x31};  // "SFP1"

struct StoredDataHeader {
  bool compressed;     // the first word was the magic
  std::int32_t count;  // file count (the legacy layout's first word)
};

// A stored name as messages show it: in double quotes, with control characters
// (a NUL byte among them) as \xNN, so that no name can cut a message short.
std::string QuotedName(const std::string& name);

// Reads the 8-byte container header; fewer bytes raise EStoredDataError.
StoredDataHeader ReadStoredDataHeader(TStream& in);
void WriteStoredDataHeader(TStream& out, std::int32_t count);

// Reads one record in the layout that `compressed` selects. `index` (0-based) only
// names the record in error messages. On return `data` holds exactly the file's
// bytes and is positioned at its start.
void ReadStoredRecord(TStream& in, bool compressed, int index, std::string& name,
                      TMemoryStream& data);
// Writes one record in the compressed layout.
void WriteStoredRecord(TStream& out, const std::string& name, const std::uint8_t* data,
                       std::int32_t size);

// A whole container held in memory: what sfpack, the tests and the fuzzers work on.
struct StoredEntry {
  std::string name;
  TMemoryStream data;
};
struct StoredContainer {
  bool compressed = true;
  std::vector<StoredEntry> files;

  // Replaces the files with the container's; on EStoredDataError / EReadError the
  // object is left as it was.
  void Read(TStream& in);
  void Write(TStream& out) const;  // always the compressed layout
};
