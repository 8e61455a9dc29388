// The codec's layout sizes (docs/codec-format.md), for its own files: the one place
// that the decoder, the framed stream and the block walk take them from.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rle {

constexpr std::size_t kSizeFieldSize = 4;   // the framed stream's decoded size
constexpr std::size_t kLengthWordSize = 2;  // before each coded block
constexpr std::size_t kHeaderSize = 2;      // the first word of a coded block
// An escape-mode header is the escape byte, below 256; a position-list header is the
// end of a data area that holds all 256 values, so at least 258.
constexpr std::size_t kFirstPositionListHeader = 256;
// Results are byte counts in a signed type: what is decoded is capped to fit it.
constexpr auto kMaxResult = static_cast<std::size_t>(PTRDIFF_MAX);

}  // namespace rle
