// Garbage in: whatever the bytes, decoding stays inside the areas it is given and
// reports either a known error or a byte count within the destination.
//
// The input reads like a stored record: a 32-bit size N, which sizes the
// destination (capped, so that huge sizes do not just exhaust memory), then the
// block sequence. libFuzzer hands over an exact-size heap copy of the input and
// the destination is exactly N bytes, so AddressSanitizer sees any overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "base/LittleEndian.h"
#include "codec/rlecodec.h"

namespace {

constexpr std::size_t kMaxCapacity = 1 << 18;

void CheckResult(std::ptrdiff_t result, std::size_t capacity) {
  if (result < 0 ? result < kRleBadLength : static_cast<std::size_t>(result) > capacity) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t stated = LoadLe32(data);
  const std::size_t capacity = stated % (kMaxCapacity + 1);
  const std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[capacity]);
  const std::uint8_t* const sequence = data + 4;
  const std::size_t sequenceSize = size - 4;

  CheckResult(DecompressBuffer(sequence, out.get(), sequenceSize, capacity), capacity);
  // The same bytes taken as a single coded block.
  CheckResult(DecodeBlock(sequence, out.get(), sequenceSize, capacity), capacity);
  return 0;
}
