// One file carried by a stored-file set: its stored name and its decoded bytes.
#pragma once

#include <cstdint>
#include <string>

#include "base/ByteStream.h"
#include "base/Component.h"
#include "storage/StoredData.h"

class TFileStorage;

class TStoredFile : public TPersistent {
 public:
  // owner may be null: such a file reads its record in the compressed layout and
  // raises no events.
  explicit TStoredFile(TFileStorage* owner);
  TStoredFile(const TStoredFile&) = delete;
  TStoredFile& operator=(const TStoredFile&) = delete;

  TFileStorage* Owner() const { return owner_; }
  // The stored name, without a folder part.
  const std::string& Name() const { return name_; }
  // The number of decoded bytes; Data() holds exactly this many.
  std::int32_t Size() const { return static_cast<std::int32_t>(data_.Size()); }
  const TMemoryStream& Data() const { return data_; }

  // Reads one container record, in the layout the owning set read from the
  // container's header. index only names the record in error messages. Throws
  // EStoredDataError or EReadError on a malformed record.
  void ReadRecord(TStream& in, int index = 0);
  // Reads the walk's next record: how the owning set reads its container.
  void ReadRecord(StoredRecordWalk& walk) { walk.Read(name_, data_); }
  // Writes the file as one record in the compressed layout.
  void WriteRecord(TStream& out) const;

  // Writes the file to path with the set's events; see FileStorage.h. True when it
  // was written or when an OnExtract handler vetoed it.
  virtual bool ExtractToFile(const std::string& path, bool createPath);

 private:
  TFileStorage* owner_;
  std::string name_;
  TMemoryStream data_;
};
