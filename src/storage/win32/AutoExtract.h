// The automatic-extraction settings of a stored-file set.
#pragma once

#include <cstdint>

#include "base/Component.h"
#include "storage/win32/ExtractTo.h"

// What automatic extraction does with a file already on disk; an 8-bit ordinal.
enum TFileStorageOverwrite : std::uint8_t {
  owIfSizeDifferent,  // rewrite unless the file on disk has the stored size
  owNever,
  owAlways,
};

class TAutoExtract : public TPersistent {
 public:
  // Extract every file right after loading; also gates removal on destruction.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  // The target folder, used by ExtractByName as well.
  TExtractTo& ExtractTo() { return extractTo_; }
  const TExtractTo& ExtractTo() const { return extractTo_; }
  TFileStorageOverwrite Overwrite() const { return overwrite_; }
  void SetOverwrite(TFileStorageOverwrite value) { overwrite_ = value; }
  // Remember each file written, to delete it when the set is destroyed.
  bool RemoveOnTerminate() const { return removeOnTerminate_; }
  void SetRemoveOnTerminate(bool value) { removeOnTerminate_ = value; }

 private:
  bool enabled_ = false;
  TExtractTo extractTo_;  // its CreatePath starts true
  TFileStorageOverwrite overwrite_ = owIfSizeDifferent;
  bool removeOnTerminate_ = false;
};
