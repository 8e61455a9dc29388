#include "installer/DescriptionCheck.h"

#include <cstdint>

#include "storage/Crc32.h"

bool DescriptionMatchesCrc(const void* description, std::size_t size, const void* storedCrc,
                           std::size_t storedCrcSize) {
  if (storedCrcSize != 4 || (!description && size != 0)) return false;
  const auto* stored = static_cast<const std::uint8_t*>(storedCrc);
  const std::uint32_t expected = static_cast<std::uint32_t>(stored[0]) | static_cast<std::uint32_t>(stored[1]) << 8 |
                                 static_cast<std::uint32_t>(stored[2]) << 16 |
                                 static_cast<std::uint32_t>(stored[3]) << 24;
  return Crc32(description, size) == expected;
}
