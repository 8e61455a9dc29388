#include "system/FileSize.h"

#include <limits>

#include "system/Handles.h"

std::int64_t FileSizeByHandle(HANDLE file) {
  DWORD high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = GetFileSize(file, &high);
  // All bits set in the low half is also a valid size; only the error code tells.
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

std::int64_t FileSizeByName(const std::string& path) {
  // No read or write access: the size can be taken even of a file that another
  // program has open for writing.
  const TFileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return -1;
  return FileSizeByHandle(file.Get());
}

std::int32_t SaturatedSize32(DWORD high, DWORD low) {
  constexpr DWORD kLargest = static_cast<DWORD>(std::numeric_limits<std::int32_t>::max());
  if (high != 0 || low > kLargest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(low);
}
