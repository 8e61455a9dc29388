// The framed stream: a 32-bit size, then a length word and a coded block per block.
#include <cassert>

#include "base/LittleEndian.h"
#include "codec/rlecodec.h"
#include "codec/rleformat.h"

using rle::kFirstPositionListHeader;
using rle::kHeaderSize;
using rle::kLengthWordSize;
using rle::kMaxResult;
using rle::kSizeFieldSize;

bool RleBlockWalk::Next() {
  offset_ = next_;
  if (offset_ == size_) {
    stop_ = Stop::kEnd;
    return false;
  }
  if (size_ - offset_ < kLengthWordSize) {
    stop_ = Stop::kCutLengthWord;
    return false;
  }
  blockSize_ = LoadLe16(src_ + offset_);
  if (blockSize_ > size_ - offset_ - kLengthWordSize) {
    stop_ = Stop::kPastEnd;
    return false;
  }
  next_ = offset_ + kLengthWordSize + blockSize_;
  return true;
}

const char* RleResultText(std::ptrdiff_t result) {
  switch (result) {
    case kRleBadHeader:
      return "block header does not fit the block";
    case kRleTruncatedRun:
      return "run code cut off";
    case kRleBadPositionList:
      return "bad run position list";
    case kRleOverrun:
      return "decoded data larger than its destination";
    case kRleBadLength:
      return "block length past the end of the data";
    default:
      return result < 0 ? "unknown codec error" : "no error";
  }
}

std::size_t CompressBound(std::size_t srcSize) {
  const std::size_t blocks = (srcSize + kRleBlockSize - 1) / kRleBlockSize;
  return (srcSize > 255 ? srcSize : 255) + kSizeFieldSize +
         (kSizeFieldSize * (blocks > 1 ? blocks : 1));
}

std::size_t CompressBuffer(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize) {
  assert(srcSize <= UINT32_MAX);
  StoreLe32(dst, static_cast<std::uint32_t>(srcSize));
  std::size_t written = kSizeFieldSize;
  for (std::size_t pos = 0; pos < srcSize;) {
    const std::size_t blockSize = srcSize - pos < kRleBlockSize ? srcSize - pos : kRleBlockSize;
    const std::size_t coded = EncodeBlock(src + pos, dst + written + kLengthWordSize, blockSize);
    StoreLe16(dst + written, coded);
    written += kLengthWordSize + coded;
    pos += blockSize;
  }
  return written;
}

std::ptrdiff_t DecompressBuffer(const std::uint8_t* src, std::uint8_t* dst, std::size_t srcSize,
                                std::size_t dstCapacity) {
  const std::size_t capacity = dstCapacity < kMaxResult ? dstCapacity : kMaxResult;
  std::size_t decoded = 0;
  RleBlockWalk walk(src, srcSize);
  while (walk.Next()) {
    const std::ptrdiff_t written =
        DecodeBlock(walk.Block(), dst + decoded, walk.BlockSize(), capacity - decoded);
    if (written < 0) return written;
    decoded += static_cast<std::size_t>(written);
  }
  if (walk.Stopped() != RleBlockWalk::Stop::kEnd) return kRleBadLength;
  return static_cast<std::ptrdiff_t>(decoded);
}

RleBlockModes CountBlockModes(const std::uint8_t* src, std::size_t srcSize) {
  RleBlockModes modes;
  RleBlockWalk walk(src, srcSize);
  for (bool inside = true; inside;) {
    inside = walk.Next();
    // A block whose length runs past the end still has its header counted.
    if (srcSize - walk.Offset() < kLengthWordSize + kHeaderSize) break;
    ++(LoadLe16(src + walk.Offset() + kLengthWordSize) >= kFirstPositionListHeader
           ? modes.positionList
           : modes.escape);
  }
  return modes;
}
