// Byte vectors as the portable tests build them, and the one little-endian field
// they spell out by hand.
#pragma once

#include <cstdint>
#include <vector>

#include "base/LittleEndian.h"

using Bytes = std::vector<std::uint8_t>;

// Kept out of line: inlined into a test whose operands are constants, the vector's
// growing insert leads GCC 14 down a path that no input takes, on which it finds a
// null pointer inside the standard headers (-Wnull-dereference, -Wstringop-overflow).
[[gnu::noinline]] inline Bytes operator+(Bytes left, const Bytes& right) {
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
