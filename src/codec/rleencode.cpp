// The block encoder: one pass to find which byte values occur, one to code.
#include <cassert>
#include <cstring>
#include <utility>

#include "base/LittleEndian.h"
#include "codec/rlebytes.h"
#include "codec/rlecodec.h"

namespace {

using rle::FirstMarkedByte;
using rle::LoadWord;
using rle::MarkZeroBytes;

// Shortest stretch of equal bytes that is worth a run code: in escape mode a run
// code is 3 bytes, in position-list mode 2 bytes plus a 2-byte list word.
constexpr std::size_t kEscapeModeThreshold = 4;
constexpr std::size_t kPositionListThreshold = 5;

constexpr int kAllValuesPresent = -1;

// The lowest byte value that does not occur in the block, or kAllValuesPresent.
// Most blocks of real files hold every value within their first few kilobytes, so
// the table is checked after each chunk and the scan stops once it is full.
int FindEscapeValue(const std::uint8_t* src, std::size_t size) {
  constexpr std::size_t kChunk = 4096;
  std::uint8_t present[256] = {};
  for (std::size_t pos = 0; pos < size;) {
    const std::size_t chunkEnd = size - pos > kChunk ? pos + kChunk : size;
    for (; chunkEnd - pos >= sizeof(std::uint64_t); pos += sizeof(std::uint64_t)) {
      const std::uint64_t word = LoadWord(src + pos);  // one load for eight flags
      present[word & 0xFF] = 1;
      present[(word >> 8) & 0xFF] = 1;
      present[(word >> 16) & 0xFF] = 1;
      present[(word >> 24) & 0xFF] = 1;
      present[(word >> 32) & 0xFF] = 1;
      present[(word >> 40) & 0xFF] = 1;
      present[(word >> 48) & 0xFF] = 1;
      present[word >> 56] = 1;
    }
    for (; pos < chunkEnd; ++pos) present[src[pos]] = 1;
    if (std::memchr(present, 0, sizeof present) == nullptr) return kAllValuesPresent;
  }
  const void* const absent = std::memchr(present, 0, sizeof present);
  return absent ? static_cast<int>(static_cast<const std::uint8_t*>(absent) - present)
                : kAllValuesPresent;
}

// Per byte of the word at p: zero where the byte equals each of the next
// sizeof...(Follower) bytes. Unrolled, as the loop below runs once per 8 bytes.
template <std::size_t... Follower>
std::uint64_t DifferencesToFollowers(const std::uint8_t* p, std::index_sequence<Follower...>) {
  const std::uint64_t first = LoadWord(p);
  return ((first ^ LoadWord(p + Follower + 1)) | ...);
}

// First position at or after `p` where `Threshold` equal bytes start, or `end`.
// The caller keeps `p` at the start of a stretch (the byte before it differs, or
// it is the block start), so the position found always starts a maximal stretch.
// Eight candidate starts are tested at once.
template <std::size_t Threshold>
const std::uint8_t* FindRunStart(const std::uint8_t* p, const std::uint8_t* end) {
  constexpr std::size_t kLookahead = Threshold - 1 + sizeof(std::uint64_t);
  while (static_cast<std::size_t>(end - p) >= kLookahead) {
    const std::uint64_t starts =
        MarkZeroBytes(DifferencesToFollowers(p, std::make_index_sequence<Threshold - 1>{}));
    if (starts != 0) return p + FirstMarkedByte(starts);
    p += sizeof(std::uint64_t);
  }
  for (; static_cast<std::size_t>(end - p) >= Threshold; ++p) {
    std::size_t equal = 1;
    while (equal < Threshold && p[equal] == p[0]) ++equal;
    if (equal == Threshold) return p;
  }
  return end;
}

// Length of the stretch of bytes equal to *start, up to `end`.
std::size_t RunLength(const std::uint8_t* start, const std::uint8_t* end) {
  const std::uint64_t pattern = *start * rle::kEveryByteLow;
  const std::uint8_t* p = start + 1;
  while (static_cast<std::size_t>(end - p) >= sizeof(std::uint64_t)) {
    const std::uint64_t differences = LoadWord(p) ^ pattern;
    if (differences != 0) return static_cast<std::size_t>(p - start) + FirstMarkedByte(differences);
    p += sizeof(std::uint64_t);
  }
  while (p < end && *p == *start) ++p;
  return static_cast<std::size_t>(p - start);
}

// Writes the count of a run of `length` bytes: one byte for length - 1 up to 255,
// else a zero byte and the 16-bit length - 1. Returns the position after it.
std::uint8_t* WriteCount(std::uint8_t* out, std::size_t length) {
  const std::size_t count = length - 1;
  if (count <= 0xFF) {
    *out = static_cast<std::uint8_t>(count);
    return out + 1;
  }
  out[0] = 0;
  StoreLe16(out + 1, count);
  return out + 3;
}

std::size_t EncodeEscapeMode(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize,
                             std::uint8_t escape) {
  const std::uint8_t* const end = src + srcSize;
  StoreLe16(dst, escape);
  std::uint8_t* out = dst + 2;
  for (const std::uint8_t* p = src;;) {
    const std::uint8_t* const run = FindRunStart<kEscapeModeThreshold>(p, end);
    std::memcpy(out, p, static_cast<std::size_t>(run - p));
    out += run - p;
    if (run == end) break;
    const std::size_t length = RunLength(run, end);
    out[0] = escape;
    out[1] = *run;
    out = WriteCount(out + 2, length);
    p = run + length;
  }
  return static_cast<std::size_t>(out - dst);
}

// The list words are written from the end of the destination downwards while the
// data area grows upwards, so the last run's word ends up first, as the list wants,
// and one move puts the list behind the data area. The two never meet: every run
// code with its word is shorter than the run it replaces.
std::size_t EncodePositionListMode(const std::uint8_t* src, std::uint8_t* dst,
                                   std::size_t srcSize) {
  const std::uint8_t* const end = src + srcSize;
  std::uint8_t* const dstEnd = dst + srcSize + 2;
  std::uint8_t* list = dstEnd;
  std::uint8_t* out = dst + 2;
  for (const std::uint8_t* p = src;;) {
    const std::uint8_t* const run = FindRunStart<kPositionListThreshold>(p, end);
    std::memcpy(out, p, static_cast<std::size_t>(run - p));
    out += run - p;
    if (run == end) break;
    const std::size_t length = RunLength(run, end);
    *out++ = *run;
    list -= 2;
    StoreLe16(list, static_cast<std::size_t>(out - dst));
    out = WriteCount(out, length);
    p = run + length;
  }
  const std::size_t dataEnd = static_cast<std::size_t>(out - dst);
  const std::size_t listSize = static_cast<std::size_t>(dstEnd - list);
  StoreLe16(dst, dataEnd);
  std::memmove(out, list, listSize);
  return dataEnd + listSize;
}

}  // namespace

std::size_t EncodeBlock(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize) {
  assert(srcSize <= kRleBlockSize);
  if (srcSize == 0) {  // no bytes: an escape-mode header and no items
    StoreLe16(dst, 0);
    return 2;
  }
  const int escape = FindEscapeValue(src, srcSize);
  if (escape == kAllValuesPresent) return EncodePositionListMode(src, dst, srcSize);
  return EncodeEscapeMode(src, dst, srcSize, static_cast<std::uint8_t>(escape));
}
