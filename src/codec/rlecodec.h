// Block run-length codec: the form in which every stored file travels in an
// "SFP1" container. The byte format, with worked examples, is docs/codec-format.md.
//
// Contract, for every function here:
//  - arguments come in the order (src, dst, srcSize, dstCapacity);
//  - source and destination never overlap; nothing is allocated, no state is kept,
//    the source is never changed;
//  - the encoder writes nothing outside the destination sizes stated below;
//  - the decoder never reads outside [src, src + srcSize) nor writes outside
//    [dst, dst + dstCapacity), whatever the bytes. Malformed input gives a negative
//    RleResult instead of a byte count; nothing is thrown. Bytes of dst past the
//    returned count (inside dstCapacity) may have been overwritten: short stretches
//    are moved in fixed-size pieces;
//  - the decoder checks per run and per literal stretch, so a well-formed block costs
//    little more than copying its literals and filling its runs.
#pragma once

#include <cstddef>
#include <cstdint>

// Largest input block; every block but the last of a stream holds exactly this many bytes.
constexpr std::size_t kRleBlockSize = 65533;

// Negative results of the decoder.
enum RleResult : std::ptrdiff_t {
  kRleBadHeader = -1,        // the header does not fit the block (too short, H past the end)
  kRleTruncatedRun = -2,     // a run code is cut off by the end of its block or data area
  kRleBadPositionList = -3,  // odd list length, positions out of order or outside the data area
  kRleOverrun = -4,          // the decoded bytes would not fit the destination
  kRleBadLength = -5,        // a block length word runs past the end of the block sequence
};

// Text for a negative RleResult, for error messages.
const char* RleResultText(std::ptrdiff_t result);

// Codes one block of 1 to kRleBlockSize bytes (larger blocks cannot be coded: their
// run positions would not fit 16 bits). dst must have room for srcSize + 2 bytes.
// Returns the coded length, header included (at most srcSize + 2). Zero bytes give
// the 2-byte block 00 00, which decodes to nothing.
std::size_t EncodeBlock(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize);

// Decodes one coded block of srcSize bytes into at most dstCapacity bytes.
// Returns the number of bytes written, or a negative RleResult.
std::ptrdiff_t DecodeBlock(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize,
                           std::size_t dstCapacity);

// Size of the destination that CompressBuffer needs for srcSize input bytes:
// max(N, 255) + 4 + 4 * max(1, ceil(N / 65533)); never less than 263.
std::size_t CompressBound(std::size_t srcSize);

// Writes the framed stream of srcSize bytes (at most UINT32_MAX): the 32-bit
// little-endian size, then one 16-bit length word and one coded block per block of
// kRleBlockSize bytes. dst must hold CompressBound(srcSize) bytes. Returns the length
// of the framed stream.
std::size_t CompressBuffer(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize);

// Decodes a block sequence (the framed stream less its 4-byte size) of srcSize bytes
// into at most dstCapacity bytes. Returns the number of bytes written (the caller
// compares it with the stored size), or a negative RleResult. An empty sequence
// decodes to 0 bytes.
std::ptrdiff_t DecompressBuffer(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize,
                                std::size_t dstCapacity);

// The walk over a block sequence's length words, shared by everything that reads
// one: each step finds the next block and checks that it lies inside the sequence,
// without decoding it. Reads only [src, src + srcSize).
class RleBlockWalk {
 public:
  enum class Stop {
    kEnd,            // the last block ended exactly at the end of the sequence
    kCutLengthWord,  // one byte where a length word should be
    kPastEnd,        // a length word states more bytes than the sequence holds
  };
  RleBlockWalk(const std::uint8_t* src, std::size_t srcSize) : src_(src), size_(srcSize) {}
  // Steps to the next block: true when one lies wholly inside the sequence; false at
  // the end or at a faulty length word, which Stopped() then names.
  bool Next();
  // Where the length word of the block stepped to starts, and its coded length
  // (after kPastEnd: the length it states).
  std::size_t Offset() const { return offset_; }
  std::size_t BlockSize() const { return blockSize_; }
  const std::uint8_t* Block() const { return src_ + offset_ + 2; }
  Stop Stopped() const { return stop_; }

 private:
  const std::uint8_t* src_;
  std::size_t size_;
  std::size_t offset_ = 0;
  std::size_t next_ = 0;
  std::size_t blockSize_ = 0;
  Stop stop_ = Stop::kEnd;
};

// How many blocks of a block sequence are coded in each mode, for reports (sfpack
// list, the benchmark). Reads only length and header words, never outside
// [src, src + srcSize); a block whose length runs past the end is counted and ends
// the walk.
struct RleBlockModes {
  std::size_t positionList = 0;
  std::size_t escape = 0;
  std::size_t Total() const { return positionList + escape; }
};
RleBlockModes CountBlockModes(const std::uint8_t* src, std::size_t srcSize);
