#include "system/FileReplacement.h"

#include <string>
#include <utility>

#include "system/Handles.h"
#include "system/PassingHolds.h"
#include "system/WidePath.h"
#include "system/winapi.h"

namespace {

// Another installer (or a crashed run of this one) may have left a name taken.
constexpr unsigned kTempNameAttempts = 100;

// The temporary file until it has been moved into place: deleted on every other path.
// A scanner may have opened it the moment it was closed, so its deletion waits out
// such a hold like the move does.
class TPendingFile {
 public:
  TPendingFile() = default;
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;
  ~TPendingFile() {
    if (name_.empty()) return;
    // Nothing more to do if it fails.
    RetryWhileHeld([this] { return DeleteFileW(name_.c_str()) != FALSE; });
  }
  void Track(std::wstring name) { name_ = std::move(name); }
  const std::wstring& Name() const { return name_; }
  void Committed() { name_.clear(); }

 private:
  std::wstring name_;
};

TFileHandle CreateTempNextTo(const std::string& path, TPendingFile& pending) {
  for (unsigned attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    const std::wstring name = ReplacementTempName(path, attempt);
    if (name.empty()) break;
    TFileHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Valid()) {
      pending.Track(name);
      return file;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return TFileHandle();
}

// A folder or a read-only file at path refuses the move with "access denied" for good;
// only a refusal that may pass is worth waiting for.
bool RefusesReplacementForGood(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0;
}

}  // namespace

std::wstring ReplacementTempName(const std::string& path, unsigned attempt) {
  return LongPathForm(path + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(attempt));
}

bool WriteFileReplacing(const std::string& path, const void* data, std::uint32_t size) {
  TPendingFile pending;  // declared first: the handle below is closed before the delete
  TFileHandle file = CreateTempNextTo(path, pending);
  if (!file.Valid()) return false;

  // One write of the whole buffer. An empty file still gets its (empty) write, from
  // a valid address, since an empty buffer may have none.
  static const char kNoBytes = 0;
  DWORD written = 0;
  if (!WriteFile(file.Get(), size != 0 ? data : &kNoBytes, size, &written, nullptr)) return false;
  if (written != size) return false;
  if (!FlushFileBuffers(file.Get())) return false;
  if (!file.Close()) return false;

  // A scanner that opened the temporary file as it was closed, or opens the target,
  // holds it for a moment: the move is tried again until the hold has passed.
  const std::wstring target = WidePath(path);
  if (RefusesReplacementForGood(target)) return false;
  const bool moved = RetryWhileHeld([&] {
    return MoveFileExW(pending.Name().c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  });
  if (!moved) return false;
  pending.Committed();
  return true;
}
