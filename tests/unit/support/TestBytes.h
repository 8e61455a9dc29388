// Byte vectors as the portable tests build them, and the one little-endian field
// they spell out by hand.
#pragma once

#include <cstdint>
#include <vector>

#include "base/LittleEndian.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes left, const Bytes& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

// value as the four little-endian bytes that containers, descriptions and the
// stored CRC-32 hold.
inline Bytes Le32(std::uint32_t value) {
  Bytes bytes(4);
  StoreLe32(bytes.data(), value);
  return bytes;
}
