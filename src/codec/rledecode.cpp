// The block decoder. It trusts nothing in the block but spends its checks per run
// and per literal stretch, never per byte: literal stretches are copied and runs
// filled in bulk.
#include <cstring>

#include "base/LittleEndian.h"
#include "codec/rlebytes.h"
#include "codec/rlecodec.h"
#include "codec/rleformat.h"

namespace {

using rle::kFirstPositionListHeader;
using rle::kHeaderSize;
using rle::kMaxResult;

// Literal stretches and runs of up to this many bytes are moved with one
// fixed-size copy or fill when the areas have room for it: most stretches in
// program files are short, and a call to memcpy or memset per stretch would cost
// more than the bytes.
constexpr std::size_t kShortMove = 32;

// Where the output stands; every write goes through Fits first. A short move may
// write past the bytes it places, inside the room; what follows overwrites them.
struct Output {
  std::uint8_t* next;
  std::size_t room;

  bool Fits(std::size_t literals, std::size_t runLength) const {
    return literals <= room && runLength <= room - literals;
  }
  // `readable`: how many bytes from src lie inside the source area.
  void Copy(const std::uint8_t* src, std::size_t size, std::size_t readable) {
    if (size <= kShortMove && readable >= kShortMove && room >= kShortMove) {
      std::memcpy(next, src, kShortMove);
    } else if (size != 0) {  // an empty destination may be a null pointer
      std::memcpy(next, src, size);
    }
    next += size;
    room -= size;
  }
  void Fill(std::uint8_t value, std::size_t size) {
    if (size <= kShortMove && room >= kShortMove) {
      std::memset(next, value, kShortMove);
    } else {
      std::memset(next, value, size);
    }
    next += size;
    room -= size;
  }
};

// Offset of the first escape byte among the kShortMove bytes at p, or kShortMove.
std::size_t NearEscapeOffset(const std::uint8_t* p, std::uint64_t escapePattern) {
  static_assert(kShortMove == 4 * sizeof(std::uint64_t), "four words are searched");
  const std::uint64_t marks0 = rle::MarkZeroBytes(rle::LoadWord(p) ^ escapePattern);
  if (marks0 != 0) return rle::FirstMarkedByte(marks0);
  const std::uint64_t marks1 = rle::MarkZeroBytes(rle::LoadWord(p + 8) ^ escapePattern);
  if (marks1 != 0) return 8 + rle::FirstMarkedByte(marks1);
  const std::uint64_t marks2 = rle::MarkZeroBytes(rle::LoadWord(p + 16) ^ escapePattern);
  if (marks2 != 0) return 16 + rle::FirstMarkedByte(marks2);
  const std::uint64_t marks3 = rle::MarkZeroBytes(rle::LoadWord(p + 24) ^ escapePattern);
  return marks3 != 0 ? 24 + rle::FirstMarkedByte(marks3) : kShortMove;
}

// Escape mode: every byte that is not the escape value is a literal. Literal
// stretches between run codes are mostly short (a line of text between two
// indentations, a few instructions between two zero runs): while both areas have
// room, the next escape is looked for in the next kShortMove bytes, which are
// copied whole; longer stretches go to memchr and one memcpy.
std::ptrdiff_t DecodeEscapeMode(const std::uint8_t* block, std::size_t blockSize,
                                std::uint8_t escape, Output& out) {
  const std::uint8_t* p = block + kHeaderSize;
  const std::uint8_t* const end = block + blockSize;
  const std::uint64_t escapePattern = escape * rle::kEveryByteLow;
  while (p < end) {
    const std::size_t nearEscape =
        static_cast<std::size_t>(end - p) >= kShortMove && out.room >= kShortMove
            ? NearEscapeOffset(p, escapePattern)
            : kShortMove;
    const std::uint8_t* code;
    if (nearEscape < kShortMove) {
      code = p + nearEscape;
      out.Copy(p, nearEscape, kShortMove);
    } else {
      const void* const found = std::memchr(p, escape, static_cast<std::size_t>(end - p));
      code = found ? static_cast<const std::uint8_t*>(found) : end;
      const std::size_t literals = static_cast<std::size_t>(code - p);
      if (!out.Fits(literals, 0)) return kRleOverrun;
      out.Copy(p, literals, static_cast<std::size_t>(end - p));
      if (code == end) break;
    }
    // Run code: escape, fill byte, count byte [, 16-bit count when the byte is 0].
    if (end - code < 3) return kRleTruncatedRun;
    std::size_t count = code[2];
    p = code + 3;
    if (count == 0) {
      if (end - p < 2) return kRleTruncatedRun;
      count = LoadLe16(p);
      p += 2;
    }
    if (!out.Fits(0, count + 1)) return kRleOverrun;
    out.Fill(code[1], count + 1);
  }
  return 0;
}

// Position-list mode: the list, read from the block's end backwards, names the
// count byte of every run in data-area order, so each literal stretch is known
// before it is copied. A word must lie past the previous run code (so the words
// strictly increase) and inside the data area, with its whole run code.
std::ptrdiff_t DecodePositionListMode(const std::uint8_t* block, std::size_t blockSize,
                                      std::size_t dataEnd, Output& out) {
  if ((blockSize - dataEnd) % 2 != 0) return kRleBadPositionList;
  const std::uint8_t* const listStart = block + dataEnd;
  const std::uint8_t* list = block + blockSize;
  std::size_t p = kHeaderSize;
  while (list != listStart) {
    list -= 2;
    const std::size_t countAt = LoadLe16(list);
    if (countAt <= p || countAt >= dataEnd) return kRleBadPositionList;
    std::size_t count = block[countAt];
    std::size_t next = countAt + 1;
    if (count == 0) {
      if (dataEnd - next < 2) return kRleTruncatedRun;
      count = LoadLe16(block + next);
      next += 2;
    }
    const std::size_t literals = countAt - 1 - p;
    if (!out.Fits(literals, count + 1)) return kRleOverrun;
    out.Copy(block + p, literals, blockSize - p);
    out.Fill(block[countAt - 1], count + 1);
    p = next;
  }
  const std::size_t literals = dataEnd - p;
  if (!out.Fits(literals, 0)) return kRleOverrun;
  out.Copy(block + p, literals, blockSize - p);
  return 0;
}

}  // namespace

std::ptrdiff_t DecodeBlock(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize,
                           std::size_t dstCapacity) {
  if (srcSize < kHeaderSize) return kRleBadHeader;
  Output out{dst, dstCapacity < kMaxResult ? dstCapacity : kMaxResult};
  const std::size_t header = LoadLe16(src);
  std::ptrdiff_t status;
  if (header < kFirstPositionListHeader) {
    status = DecodeEscapeMode(src, srcSize, static_cast<std::uint8_t>(header), out);
  } else if (header <= srcSize) {
    status = DecodePositionListMode(src, srcSize, header, out);
  } else {
    return kRleBadHeader;
  }
  return status < 0 ? status : out.next - dst;
}
