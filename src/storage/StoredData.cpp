#include "storage/StoredData.h"

#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include "base/LittleEndian.h"
#include "codec/rlecodec.h"

namespace {

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t Int32FromBytes(const std::uint8_t bytes[4]) {
  return static_cast<std::int32_t>(LoadLe32(bytes));
}

// Names a record in error messages: by index, and by name once the name has been read.
class RecordContext {
 public:
  explicit RecordContext(int index) : index_(index) {}
  void NameKnown(const std::string& name) { name_ = &name; }
  [[noreturn]] void Fail(const std::string& fault) const {
    throw EStoredDataError(Describe(fault));
  }
  [[noreturn]] void FailRead(const std::string& fault) const { throw EReadError(Describe(fault)); }

 private:
  std::string Describe(const std::string& fault) const {
    std::string text = "record " + std::to_string(index_);
    if (name_ != nullptr) text += " " + QuotedName(*name_);
    return text + ": " + fault;
  }
  int index_;
  const std::string* name_ = nullptr;
};

// The compressed layout is read with plain reads; a short one means the record was
// cut off, which the reader reports instead of going on with what it got.
void ReadField(TStream& in, void* buffer, std::size_t count, const RecordContext& record,
               const char* field) {
  const std::size_t delivered = in.Read(buffer, count);
  if (delivered != count) {
    record.Fail(std::string("record cut short in its ") + field + " (" + std::to_string(delivered) +
                " of " + std::to_string(count) + " bytes present)");
  }
}

std::int32_t ReadInt32Field(TStream& in, const RecordContext& record, const char* field) {
  std::uint8_t bytes[4];
  ReadField(in, bytes, sizeof bytes, record, field);
  return Int32FromBytes(bytes);
}

// A stated length is believed only as far as the stream can back it.
void CheckPresent(TStream& in, std::int64_t length, const RecordContext& record,
                  const char* field) {
  const std::int64_t remaining = in.Remaining();
  if (length > remaining) {
    record.Fail(std::string("record cut short in its ") + field + " (" + std::to_string(length) +
                " bytes stated, " + std::to_string(remaining) + " present)");
  }
}

std::string ReadName(TStream& in, const RecordContext& record) {
  const std::int32_t length = ReadInt32Field(in, record, "name length");
  if (length < 0) record.Fail("name length " + std::to_string(length) + " is negative");
  CheckPresent(in, length, record, "name");
  std::string name(static_cast<std::size_t>(length), '\0');
  if (length != 0) ReadField(in, &name[0], name.size(), record, "name");
  return name;
}

// Walks the length words of a block sequence without decoding it, so that the decoded
// size can be judged before memory is set aside for it. Returns the number of blocks.
std::size_t CountBlocks(const std::uint8_t* sequence, std::size_t length,
                        const RecordContext& record) {
  std::size_t blocks = 0;
  RleBlockWalk walk(sequence, length);
  while (walk.Next()) ++blocks;
  const std::string offset = std::to_string(walk.Offset());
  switch (walk.Stopped()) {
    case RleBlockWalk::Stop::kEnd:
      break;
    case RleBlockWalk::Stop::kCutLengthWord:
      record.Fail("block sequence cut short in a length word at offset " + offset);
    case RleBlockWalk::Stop::kPastEnd:
      record.Fail("block length " + std::to_string(walk.BlockSize()) + " at offset " + offset +
                  " runs past the end of the block sequence");
  }
  return blocks;
}

// Reads the S - 4 coded bytes: in place when the stream holds them in memory (a
// resource mapped with the executable), else into a scratch area of exactly that size.
class BlockSequence {
 public:
  BlockSequence(TStream& in, std::size_t length, const RecordContext& record) : length_(length) {
    bytes_ = in.Lend(length);
    if (bytes_ == nullptr) {
      scratch_.reset(new std::uint8_t[length == 0 ? 1 : length]);
      ReadField(in, scratch_.get(), length, record, "block sequence");
      bytes_ = scratch_.get();
    }
  }
  const std::uint8_t* Bytes() const { return bytes_; }
  std::size_t Length() const { return length_; }

 private:
  std::size_t length_;
  std::unique_ptr<std::uint8_t[]> scratch_;
  const std::uint8_t* bytes_ = nullptr;
};

void ReadCompressedData(TStream& in, const RecordContext& record, TMemoryStream& data) {
  const std::int32_t stored = ReadInt32Field(in, record, "stored length");
  if (stored < 4) record.Fail("stored length " + std::to_string(stored) + " is below 4");
  CheckPresent(in, stored, record, "stored bytes");
  const std::int32_t size = ReadInt32Field(in, record, "size");
  if (size < 0) record.Fail("size " + std::to_string(size) + " is negative");

  const BlockSequence sequence(in, static_cast<std::size_t>(stored) - 4, record);
  const std::size_t blocks = CountBlocks(sequence.Bytes(), sequence.Length(), record);
  // No block the encoder makes decodes to more than kRleBlockSize bytes, so this bounds
  // the buffer by what the bytes present can stand for, whatever the size field says.
  if (static_cast<std::uint64_t>(size) > static_cast<std::uint64_t>(blocks) * kRleBlockSize) {
    record.Fail("size " + std::to_string(size) + " is more than its " + std::to_string(blocks) +
                " blocks can hold");
  }

  data.SetSize(static_cast<std::size_t>(size));
  data.Seek(0);
  const std::ptrdiff_t decoded = DecompressBuffer(sequence.Bytes(), data.Data(), sequence.Length(),
                                                  static_cast<std::size_t>(size));
  if (decoded < 0) {
    record.Fail(std::string("block sequence does not decode: ") + RleResultText(decoded));
  }
  if (decoded != size) {
    record.Fail("block sequence decodes to " + std::to_string(decoded) + " bytes, not " +
                std::to_string(size));
  }
}

void ReadLegacyData(TStream& in, const RecordContext& record, TMemoryStream& data) {
  const std::int32_t size = ReadInt32Field(in, record, "size");
  if (size < 0) record.Fail("size " + std::to_string(size) + " is negative");
  // A short legacy record is the stream's read error; it is raised before the buffer
  // is sized so that a lying size costs no memory.
  const std::int64_t remaining = in.Remaining();
  if (size > remaining) {
    record.FailRead("stream read error: file data cut short (" + std::to_string(size) +
                    " bytes stated, " + std::to_string(remaining) + " present)");
  }
  data.SetSize(static_cast<std::size_t>(size));
  data.Seek(0);
  if (size != 0) in.ReadBuffer(data.Data(), static_cast<std::size_t>(size));
}

}  // namespace

std::string QuotedName(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0x0F];
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

StoredDataHeader ReadStoredDataHeader(TStream& in) {
  std::uint8_t bytes[kStoredDataHeaderSize];
  const std::size_t delivered = in.Read(bytes, sizeof bytes);
  if (delivered != sizeof bytes) {
    throw EStoredDataError("container header cut short (" + std::to_string(delivered) +
                           " of 8 bytes present)");
  }
  StoredDataHeader header{};
  header.compressed = std::memcmp(bytes, kStoredDataMagic, sizeof kStoredDataMagic) == 0;
  // The legacy layout's first word is the count and its second is skipped.
  header.count = Int32FromBytes(header.compressed ? bytes + 4 : bytes);
  return header;
}

void WriteStoredDataHeader(TStream& out, std::int32_t count) {
  out.Write(kStoredDataMagic, sizeof kStoredDataMagic);
  out.WriteInt32(count);
}

void ReadStoredRecord(TStream& in, bool compressed, int index, std::string& name,
                      TMemoryStream& data) {
  RecordContext record(index);
  if (in.Remaining() == 0) {
    record.Fail(
        "the container ends before this record (the count is larger than the records present)");
  }
  std::string read_name = ReadName(in, record);
  record.NameKnown(read_name);
  if (compressed) {
    ReadCompressedData(in, record, data);
  } else {
    ReadLegacyData(in, record, data);
  }
  name = std::move(read_name);
}

void WriteStoredRecord(TStream& out, const std::string& name, const std::uint8_t* data,
                       std::int32_t size) {
  if (name.size() > static_cast<std::size_t>(kInt32Max)) {
    throw EStoredDataError("stored name too long");
  }
  if (size < 0) {
    throw EStoredDataError(QuotedName(name) + ": negative size " + std::to_string(size));
  }
  const std::size_t length = static_cast<std::size_t>(size);
  const std::size_t bound = CompressBound(length);
  // Default-initialised: the encoder writes every byte that is then stored.
  const std::unique_ptr<std::uint8_t[]> scratch(new std::uint8_t[bound]);
  const std::size_t stored = CompressBuffer(data, scratch.get(), length);
  if (stored > static_cast<std::size_t>(kInt32Max)) {
    throw EStoredDataError(QuotedName(name) + ": too large to store");
  }
  out.WriteInt32(static_cast<std::int32_t>(name.size()));
  out.Write(name.data(), name.size());
  out.WriteInt32(static_cast<std::int32_t>(stored));
  out.Write(scratch.get(), stored);
}

StoredRecordWalk::StoredRecordWalk(TStream& in) : in_(in), header_(ReadStoredDataHeader(in)) {}

void StoredRecordWalk::Read(std::string& name, TMemoryStream& data) {
  if (Done()) throw std::logic_error("StoredRecordWalk::Read past the last counted record");
  const auto begin = static_cast<std::size_t>(in_.Position());
  ReadStoredRecord(in_, header_.compressed, index_, name, data);
  ++index_;
  const auto end = static_cast<std::size_t>(in_.Position());
  // The name length and the name, then S, and in the written layout N, which S counts.
  const std::size_t sequence = begin + 4 + name.size() + 4 + (header_.compressed ? 4 : 0);
  span_ = {begin, sequence, end, end - sequence + (header_.compressed ? 4 : 0)};
}

void StoredContainer::Read(TStream& in) {
  StoredRecordWalk walk(in);
  // Grown one record at a time: the count is not trusted to size anything.
  std::vector<StoredEntry> read_files;
  while (!walk.Done()) {
    StoredEntry entry;
    walk.Read(entry.name, entry.data);
    read_files.push_back(std::move(entry));
  }
  compressed = walk.Compressed();
  files = std::move(read_files);
}

void StoredContainer::Write(TStream& out) const {
  if (files.size() > static_cast<std::size_t>(kInt32Max)) {
    throw EStoredDataError("too many files for one container");
  }
  WriteStoredDataHeader(out, static_cast<std::int32_t>(files.size()));
  for (const StoredEntry& file : files) {
    if (file.data.Size() > kInt32Max)
      throw EStoredDataError(QuotedName(file.name) + ": too large to store");
    WriteStoredRecord(out, file.name, file.data.Data(),
                      static_cast<std::int32_t>(file.data.Size()));
  }
}
