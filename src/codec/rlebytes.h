// Little-endian loads and stores and word-at-a-time byte searches, for the codec's
// own files. Every multi-byte field of a coded stream is little-endian whatever the
// host; memcpy keeps unaligned access defined and compiles to single moves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rle {

inline std::uint16_t LoadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline void StoreLe16(std::uint8_t* p, std::size_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
  p[2] = static_cast<std::uint8_t>(value >> 16);
  p[3] = static_cast<std::uint8_t>(value >> 24);
}

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
