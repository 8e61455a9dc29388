// Word-at-a-time byte searches, for the codec's own files; memcpy keeps unaligned
// access defined and compiles to single moves. The little-endian fields of a coded
// stream go through base/LittleEndian.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rle {

// Eight bytes in host order; such words are only compared with each other, and
// FirstMarkedByte turns a bit position back into a byte offset for the host order.
inline std::uint64_t LoadWord(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

constexpr std::uint64_t kEveryByteLow = 0x0101010101010101ULL;
constexpr std::uint64_t kEveryByteHigh = 0x8080808080808080ULL;

// Sets the high bit of each zero byte of `word`. Borrows can also mark bytes above
// a zero byte, never below one, so the lowest mark is always exact.
inline std::uint64_t MarkZeroBytes(std::uint64_t word) {
  return (word - kEveryByteLow) & ~word & kEveryByteHigh;
}

// Offset, in memory order, of the lowest-addressed byte of `word` with a set bit;
// `word` must not be 0.
inline std::size_t FirstMarkedByte(std::uint64_t word) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return static_cast<std::size_t>(__builtin_clzll(word)) / 8;
#else
  return static_cast<std::size_t>(__builtin_ctzll(word)) / 8;
#endif
}

}  // namespace rle
