#include "installer/DescriptionCheck.h"

#include <cstdint>

#include "base/LittleEndian.h"
#include "storage/Crc32.h"

bool DescriptionMatchesCrc(const void* description, std::size_t size, const void* storedCrc,
                           std::size_t storedCrcSize) {
  if (storedCrcSize != 4 || (!description && size != 0)) return false;
  return Crc32(description, size) == LoadLe32(static_cast<const std::uint8_t*>(storedCrc));
}
