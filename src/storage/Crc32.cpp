#include "storage/Crc32.h"

#include <array>
#include <cstring>

namespace {

// Slicing by sixteen: sixteen tables, sixteen bytes a step. The whole 20 MB
// description is checked at every start, so the byte-at-a-time loop would cost too
// much; sixteen tables (16 KB) still sit in the first-level cache.
constexpr std::size_t kSlices = 16;
using Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

Tables MakeTables() {
  Tables tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    tables[0][i] = crc;
  }
  for (std::size_t t = 1; t < kSlices; ++t) {
    for (std::size_t i = 0; i < 256; ++i) {
      tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    }
  }
  return tables;
}

const Tables& CrcTables() {
  static const Tables tables = MakeTables();
  return tables;
}

}  // namespace

std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc) {
  const Tables& t = CrcTables();
  const auto* p = static_cast<const std::uint8_t*>(data);
  crc = ~crc;
  while (size >= 16) {
    std::uint32_t w[4];
    std::memcpy(w, p, 16);
    // The tables assume little-endian words, as on every machine the installer runs on.
    w[0] ^= crc;
    crc = t[15][w[0] & 0xFF] ^ t[14][(w[0] >> 8) & 0xFF] ^ t[13][(w[0] >> 16) & 0xFF] ^ t[12][w[0] >> 24] ^
          t[11][w[1] & 0xFF] ^ t[10][(w[1] >> 8) & 0xFF] ^ t[9][(w[1] >> 16) & 0xFF] ^ t[8][w[1] >> 24] ^
          t[7][w[2] & 0xFF] ^ t[6][(w[2] >> 8) & 0xFF] ^ t[5][(w[2] >> 16) & 0xFF] ^ t[4][w[2] >> 24] ^
          t[3][w[3] & 0xFF] ^ t[2][(w[3] >> 8) & 0xFF] ^ t[1][(w[3] >> 16) & 0xFF] ^ t[0][w[3] >> 24];
    p += 16;
    size -= 16;
  }
  while (size--) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
  return ~crc;
}
