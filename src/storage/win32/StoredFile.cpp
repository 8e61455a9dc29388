#include "storage/win32/StoredFile.h"

#include "storage/StoredData.h"
#include "storage/win32/FileStorage.h"
#include "system/FileReplacement.h"
#include "system/Folders.h"

TStoredFile::TStoredFile(TFileStorage* owner) : owner_(owner) {}

void TStoredFile::ReadRecord(TStream& in, int index) {
  const bool compressed = owner_ == nullptr || owner_->Compressed();
  ReadStoredRecord(in, compressed, index, name_, data_);
}

void TStoredFile::WriteRecord(TStream& out) const {
  WriteStoredRecord(out, name_, data_.Data(), Size());
}

bool TStoredFile::ExtractToFile(const std::string& path, bool createPath) {
  TObject* const sender = owner_ != nullptr ? owner_->Owner() : nullptr;
  bool allowExtracting = true;
  if (owner_ != nullptr && owner_->OnExtract().Assigned()) {
    owner_->OnExtract()(sender, path, Size(), allowExtracting);
  }
  if (!allowExtracting) return true;

  if (createPath) CreatePathFolders(path);  // a folder that cannot be made fails the write below
  const bool written =
      WriteFileReplacing(path, data_.Data(), static_cast<std::uint32_t>(data_.Size()));

  if (written && owner_ != nullptr && owner_->AutoExtract().RemoveOnTerminate()) {
    owner_->removeList_.push_back(path);
  }
  if (owner_ != nullptr && owner_->OnExtracted().Assigned()) {
    owner_->OnExtracted()(sender, path, Size(), written);
  }
  return written;
}
