// Compress then decompress equals the input, the framed stream stays within
// CompressBound, and no area is touched beyond its exact size.
//
// Inputs are short, so one input in eight is also tiled to a length that crosses
// the first block boundary, where runs are split and the second block begins.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/LittleEndian.h"
#include "codec/rlecodec.h"

namespace {

void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
  const std::size_t bound = CompressBound(size);
  const std::unique_ptr<std::uint8_t[]> framed(new std::uint8_t[bound]);
  const std::size_t framedSize = CompressBuffer(data, framed.get(), size);
  if (framedSize > bound || framedSize < 4) std::abort();
  if (LoadLe32(framed.get()) != size) std::abort();

  const std::unique_ptr<std::uint8_t[]> decoded(new std::uint8_t[size]);
  const std::ptrdiff_t result =
      DecompressBuffer(framed.get() + 4, decoded.get(), framedSize - 4, size);
  if (result != static_cast<std::ptrdiff_t>(size)) std::abort();
  if (size != 0 && std::memcmp(decoded.get(), data, size) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckRoundTrip(data, size);
  if (size >= 2 && data[0] % 8 == 0) {
    const std::size_t tiledSize = kRleBlockSize - data[1] + size;
    const std::unique_ptr<std::uint8_t[]> tiled(new std::uint8_t[tiledSize]);
    for (std::size_t pos = 0; pos < tiledSize; pos += size) {
      std::memcpy(tiled.get() + pos, data, tiledSize - pos < size ? tiledSize - pos : size);
    }
    CheckRoundTrip(tiled.get(), tiledSize);
  }
  return 0;
}
