// Helpers shared by the codec tests. Every buffer handed to the codec is a heap
// block of exactly the size the call is allowed to touch, so that AddressSanitizer
// or valgrind sees any read or write past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "codec/rlecodec.h"
#include "tests/unit/support/TestBytes.h"
#include "tools/common/DeterministicRandom.h"

inline Bytes Repeat(std::uint8_t value, std::size_t count) {
  return Bytes(count, value);
}

// The values first..last in ascending order.
inline Bytes Ascending(unsigned first, unsigned last) {
  Bytes bytes;
  for (unsigned value = first; value <= last; ++value)
    bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

inline Bytes RandomBytes(DeterministicRandom& random, std::size_t size, unsigned maxValue = 255) {
  Bytes bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random.Between(0, maxValue));
  return bytes;
}

// EncodeBlock into a destination of exactly size + 2 bytes.
inline Bytes Encode(const Bytes& block) {
  Bytes coded(block.size() + 2);
  coded.resize(EncodeBlock(block.data(), coded.data(), block.size()));
  return coded;
}

// CompressBuffer into a destination of exactly CompressBound(size) bytes.
inline Bytes Compress(const Bytes& data) {
  Bytes framed(CompressBound(data.size()));
  framed.resize(CompressBuffer(data.data(), framed.data(), data.size()));
  return framed;
}

// Result of a decoding call together with what it wrote.
struct Decoded {
  std::ptrdiff_t result;
  Bytes bytes;  // the first `result` bytes of the destination when result >= 0
};

// Copies `source` into an exact-size heap block and decodes it into a destination
// of exactly `capacity` bytes.
template <typename Decoder>
Decoded DecodeExactly(Decoder decoder, const Bytes& source, std::size_t capacity) {
  const Bytes input(source);
  Bytes output(capacity);
  const std::ptrdiff_t result = decoder(input.data(), output.data(), input.size(), capacity);
  if (result >= 0) output.resize(static_cast<std::size_t>(result));
  return {result, result >= 0 ? output : Bytes{}};
}

inline Decoded DecodeBlockExactly(const Bytes& block, std::size_t capacity) {
  return DecodeExactly(DecodeBlock, block, capacity);
}

// Decodes a framed stream: the 4-byte size is skipped, as the container reader does.
inline Decoded DecompressFramed(const Bytes& framed, std::size_t capacity) {
  return DecodeExactly(DecompressBuffer, Bytes(framed.begin() + 4, framed.end()), capacity);
}
