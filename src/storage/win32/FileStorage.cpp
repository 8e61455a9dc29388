#include "storage/win32/FileStorage.h"

#include <algorithm>
#include <exception>

#include "storage/StoredData.h"
#include "system/FileSize.h"
#include "system/Folders.h"
#include "system/PathText.h"
#include "system/winapi.h"

namespace {

bool SameStoredName(const std::string& a, const std::string& b) {
  // No flags: the comparison is case-sensitive. A failing comparison is no match.
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

TFileStorage::TFileStorage(TComponent* owner) : TComponent(owner) {}

TFileStorage::~TFileStorage() {
  if (autoExtract_.Enabled() && autoExtract_.RemoveOnTerminate()) RemoveWrittenFiles();
}

void TFileStorage::RemoveWrittenFiles() const {
  if (removeList_.empty()) return;
  for (const std::string& path : removeList_) DeleteFileA(path.c_str());  // failures ignored
  // Only the first file's own folder goes, and only when nothing else is in it:
  // folders above it may have been there before.
  const std::string folder = FolderPart(removeList_.front());
  if (FolderIsEmpty(folder)) RemoveDirectoryA(folder.c_str());
}

void TFileStorage::ReadStoredData(TStream& in) {
  StoredRecordWalk walk(in);
  compressed_ = walk.Compressed();
  count_ = walk.Count();
  while (!walk.Done()) {
    auto file = std::make_unique<TStoredFile>(this);
    file->ReadRecord(walk);
    files_.push_back(std::move(file));
  }
}

void TFileStorage::WriteStoredData(TStream& out) const {
  const std::size_t records = CountedFiles();
  // A count the records cannot back (a container whose reading failed) would make
  // a container that cannot be read back; write what there is.
  WriteStoredDataHeader(out, count_ > 0 ? static_cast<std::int32_t>(records) : count_);
  for (std::size_t index = 0; index < records; ++index) files_[index]->WriteRecord(out);
}

std::size_t TFileStorage::CountedFiles() const {
  if (count_ <= 0) return 0;
  return std::min(static_cast<std::size_t>(count_), files_.size());
}

std::int32_t TFileStorage::DataSize() const {
  // Signed 32-bit arithmetic that wraps rather than overflows.
  std::uint32_t total = 0;
  for (std::size_t index = 0; index < CountedFiles(); ++index) {
    total += static_cast<std::uint32_t>(files_[index]->Size());
  }
  return static_cast<std::int32_t>(total);
}

void TFileStorage::Loaded() {
  TComponent::Loaded();
  if (!autoExtract_.Enabled() || Designing()) return;
  for (const auto& file : files_) {
    const std::string path = autoExtract_.ExtractTo().TargetFolder() + file->Name();
    if (ShouldAutoExtract(path, file->Size())) {
      // Failures show only through OnExtracted.
      file->ExtractToFile(path, autoExtract_.ExtractTo().CreatePath());
    }
  }
}

bool TFileStorage::ShouldAutoExtract(const std::string& path, std::int32_t storedSize) const {
  switch (autoExtract_.Overwrite()) {
    case owAlways:
      return true;
    case owNever:
      return !FileExists(path);
    case owIfSizeDifferent:
    default:
      if (!FileExists(path)) return true;
      try {
        // A file that cannot be opened measures -1 and is rewritten.
        return FileSizeByName(path) != static_cast<std::int64_t>(storedSize);
      } catch (const std::exception&) {
        return true;
      }
  }
}

bool TFileStorage::ExtractByName(const std::string& name, const std::string& path) {
  const std::string target = path.empty() ? autoExtract_.ExtractTo().TargetFolder() + name : path;
  const auto found = std::find_if(files_.begin(), files_.end(), [&name](const auto& file) {
    return SameStoredName(file->Name(), name);
  });
  if (found == files_.end()) return false;
  return (*found)->ExtractToFile(target, autoExtract_.ExtractTo().CreatePath());
}
