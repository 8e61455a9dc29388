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

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteStream.h"

class EStoredDataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr std::uint8_t kStoredDataMagic[4] = {0x53, 0x46, 0x50, 0x31};  // "SFP1"
constexpr std::size_t kStoredDataHeaderSize = 8;  // the magic (legacy: the count) and a word

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

// Where one record lies in a stream, in stream positions.
struct StoredRecordSpan {
  std::size_t begin;     // first byte of the record
  std::size_t sequence;  // first byte of its block sequence (legacy: of its raw bytes)
  std::size_t end;       // one past its last byte
  std::size_t stored;    // its stored length S (legacy: its size N)
};

// The one walk over a container's records, shared by every reader of containers:
// it reads the header, then each counted record in stored order into the caller's
// name and buffer, so that each caller keeps the records read before a fault as it
// needs to. A count of 0 or less is done at once.
class StoredRecordWalk {
 public:
  // Reads the header; raises as ReadStoredDataHeader does.
  explicit StoredRecordWalk(TStream& in);

  bool Compressed() const { return header_.compressed; }
  std::int32_t Count() const { return header_.count; }
  // True once every counted record has been read.
  bool Done() const { return index_ >= header_.count; }
  // Reads the next record as ReadStoredRecord does (and raises as it does); call
  // only while !Done().
  void Read(std::string& name, TMemoryStream& data);
  // Where the record last read lies.
  const StoredRecordSpan& Span() const { return span_; }

 private:
  TStream& in_;
  StoredDataHeader header_;
  std::int32_t index_ = 0;
  StoredRecordSpan span_{};
};

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
