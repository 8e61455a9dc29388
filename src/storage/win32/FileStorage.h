// The stored-file set: a non-visual component that carries named files inside the
// executable (as its StoredData container), holds them decoded in memory once
// loaded, and writes them to disk by name or, when AutoExtract is enabled, all of
// them right after loading.
//
// Writing a file: OnExtract may veto it (the write then counts as done); missing
// folders are created when ExtractTo.CreatePath is set; the bytes go to a
// temporary file next to the target, which replaces the target only once every
// byte is on disk, so a failed write leaves the old file as it was and no partial
// file behind; OnExtracted reports the outcome, failures included. Both events
// pass the set's owner as Sender and the full target path as FileName. With
// RemoveOnTerminate each file written is remembered, and deleted when the set is
// destroyed if AutoExtract is enabled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/ByteStream.h"
#include "base/Component.h"
#include "storage/win32/AutoExtract.h"
#include "storage/win32/ExtractTo.h"
#include "storage/win32/StoredFile.h"

using TOnExtractEvent = TEvent<TObject* /*Sender*/, std::string /*FileName*/, int /*FileSize*/,
                               bool& /*AllowExtracting*/>;
using TOnExtractedEvent =
    TEvent<TObject* /*Sender*/, std::string /*FileName*/, int /*FileSize*/, bool /*Successfully*/>;

class TFileStorage : public TComponent {
 public:
  explicit TFileStorage(TComponent* owner);
  // Deletes the remembered files (and the first one's folder if that is left
  // empty) when AutoExtract is enabled with RemoveOnTerminate.
  ~TFileStorage() override;

  // The StoredData container. Reading appends one stored file per record; it throws
  // EStoredDataError or EReadError on a malformed container, keeping the files
  // read before the fault. Writing always produces the compressed layout.
  void ReadStoredData(TStream& in);
  void WriteStoredData(TStream& out) const;

  // Automatic extraction, after the base's own after-loading step.
  void Loaded() override;

  // Writes the first stored file called name (compared case-sensitively in the
  // user's locale) to path, or into ExtractTo's target folder when path is empty.
  // False when no file has that name (no event is raised then) or the write fails.
  bool ExtractByName(const std::string& name, const std::string& path);

  TAutoExtract& AutoExtract() { return autoExtract_; }
  const TAutoExtract& AutoExtract() const { return autoExtract_; }
  // The file count the container gave. Derived: assigning it changes nothing.
  std::int32_t Count() const { return count_; }
  void SetCount(std::int32_t) {}
  // Total decoded bytes of the stored files. Derived: assigning it changes nothing.
  std::int32_t DataSize() const;
  void SetDataSize(std::int32_t) {}
  const std::vector<std::unique_ptr<TStoredFile>>& Files() const { return files_; }

  const TOnExtractEvent& OnExtract() const { return onExtract_; }
  void SetOnExtract(TOnExtractEvent handler) { onExtract_ = std::move(handler); }
  const TOnExtractedEvent& OnExtracted() const { return onExtracted_; }
  void SetOnExtracted(TOnExtractedEvent handler) { onExtracted_ = std::move(handler); }

  // Full paths written while RemoveOnTerminate was set, in order, duplicates kept.
  const std::vector<std::string>& RemoveList() const { return removeList_; }
  // Whether the container had the compressed layout (its records are read that way).
  bool Compressed() const { return compressed_; }

 private:
  friend class TStoredFile;  // appends to RemoveList after a successful write

  // How many of Files the container's count covers: Count, but never more files
  // than were read.
  std::size_t CountedFiles() const;
  bool ShouldAutoExtract(const std::string& path, std::int32_t storedSize) const;
  void RemoveWrittenFiles() const;

  TAutoExtract autoExtract_;
  std::vector<std::unique_ptr<TStoredFile>> files_;
  std::vector<std::string> removeList_;
  TOnExtractEvent onExtract_;
  TOnExtractedEvent onExtracted_;
  bool compressed_ = false;
  std::int32_t count_ = 0;
};
