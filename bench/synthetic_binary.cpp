// Made-up program files. What matters to the codec is which byte values occur per
// 65533-byte block and where equal bytes cluster, so the generator imitates that,
// not the meaning of the bytes.
#include <algorithm>

#include "bench_input.h"
#include "tools/common/DeterministicRandom.h"

namespace {

class SyntheticFile {
 public:
  SyntheticFile(std::vector<std::uint8_t>& out, DeterministicRandom& random)
      : out_(out), random_(random) {}

  void Write(std::size_t size) {
    const std::size_t end = out_.size() + size;
    WriteHeaders();
    while (out_.size() < end) {
      const unsigned kind = Below(100);
      if (kind < 72) {
        WriteCode(4096 + Below(60000));
      } else if (kind < 87) {
        WriteData(2048 + Below(20000));
      } else if (kind < 95) {
        WriteText(2048 + Below(150000));
      } else {
        WriteWideText(1024 + Below(8000));
      }
      PadTo(512, 0x00);  // section alignment in the file
    }
    out_.resize(end);
  }

 private:
  unsigned Below(unsigned bound) { return random_.Below(bound); }
  void Put(unsigned byte) { out_.push_back(static_cast<std::uint8_t>(byte)); }
  void Fill(unsigned byte, std::size_t count) {
    out_.insert(out_.end(), count, static_cast<std::uint8_t>(byte));
  }
  void PadTo(std::size_t alignment, unsigned byte) {
    Fill(byte, (alignment - out_.size() % alignment) % alignment);
  }
  void PutWord(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) Put(value >> (8 * i));
  }

  // Headers: a few fields, then mostly zeros up to the first section.
  void WriteHeaders() {
    Put('M');
    Put('Z');
    for (int i = 0; i < 58; ++i) Put(i % 7 == 0 ? Below(256) : 0);
    Fill(0, 64 + Below(64));
    for (int i = 0; i < 40; ++i) PutWord(Below(4) == 0 ? 0x00400000u + Below(0x100000) : Below(16));
    PadTo(1024, 0x00);
  }

  // x86-like code: frequent opcodes, operands that are often small or zero,
  // addresses near the image base, and functions padded with CC or 90. Compilers
  // repeat themselves, so most code comes from a pool of instruction sequences,
  // which gives a dictionary coder such as LZ4 the matches it finds in real code.
  void WriteInstruction(std::vector<std::uint8_t>& to) {
    static constexpr std::uint8_t kOpcodes[] = {
        0x8B, 0x89, 0xE8, 0x83, 0xFF, 0x8D, 0x85, 0x74, 0x75, 0x33, 0x50, 0x51, 0x52, 0x53, 0x55,
        0x56, 0x57, 0x5D, 0x5E, 0x5F, 0xC3, 0xC7, 0x0F, 0x6A, 0x68, 0xEB, 0x3B, 0x2B, 0x03, 0xC1};
    const auto put = [&to](unsigned byte) { to.push_back(static_cast<std::uint8_t>(byte)); };
    put(Below(8) == 0 ? Below(256) : kOpcodes[Below(sizeof kOpcodes)]);
    for (unsigned i = Below(5); i > 0; --i) {
      const unsigned choice = Below(10);
      put(choice < 3 ? 0x00 : choice < 4 ? 0xFF : Below(256));
    }
    const unsigned extra = Below(20);
    const std::uint32_t word = extra < 2 ? 0x00400000u + Below(0x200000) : Below(64);
    if (extra < 4) {
      for (int i = 0; i < 4; ++i) put(word >> (8 * i));
    }
  }

  void WriteCode(std::size_t size) {
    if (idioms_.empty()) {
      idioms_.resize(3000);
      for (auto& idiom : idioms_) {
        for (unsigned i = 1 + Below(4); i > 0; --i) WriteInstruction(idiom);
      }
    }
    const std::size_t end = out_.size() + size;
    while (out_.size() < end) {
      if (Below(3) == 0) {
        WriteInstruction(out_);
      } else {
        const auto& idiom = idioms_[Below(Below(4) == 0 ? 3000 : 300)];
        out_.insert(out_.end(), idiom.begin(), idiom.end());
      }
      if (Below(60) == 0) PadTo(16, Below(3) == 0 ? 0x90 : 0xCC);  // function end
    }
  }

  // Data: pointer tables, small integers and zero-filled areas of any length.
  void WriteData(std::size_t size) {
    const std::size_t end = out_.size() + size;
    while (out_.size() < end) {
      const unsigned kind = Below(10);
      if (kind < 3) {
        for (unsigned i = 1 + Below(16); i > 0; --i) PutWord(0x00400000u + Below(0x200000));
      } else if (kind < 6) {
        for (unsigned i = 1 + Below(16); i > 0; --i) PutWord(Below(300));
      } else if (kind < 8) {
        Fill(0, 1 + Below(Below(2) ? 16 : 300));
      } else {
        for (unsigned i = 1 + Below(32); i > 0; --i) Put(Below(256));
      }
    }
  }

  // Text and markup: printable ASCII with line ends, no byte of 80 and above.
  void WriteText(std::size_t size) {
    static constexpr char kLetters[] =
        "eeeettaaoinnsshrdlcumwfgypbvkjxqz      ,.;:-()<>=\"'/_0123456789ETAOINSHR";
    const std::size_t end = out_.size() + size;
    while (out_.size() < end) {
      for (unsigned i = 10 + Below(70); i > 0; --i)
        Put(static_cast<unsigned char>(kLetters[Below(sizeof kLetters - 1)]));
      Put(0x0D);
      Put(0x0A);
      if (Below(20) == 0) Fill(' ', 4 + Below(12));  // indentation
    }
  }

  // Resource strings in UTF-16: ASCII letters with a zero high byte.
  void WriteWideText(std::size_t size) {
    const std::size_t end = out_.size() + size;
    while (out_.size() < end) {
      for (unsigned i = 2 + Below(30); i > 0; --i) {
        Put(0x20 + Below(0x5F));
        Put(0x00);
      }
      Fill(0, 2 + 2 * Below(4));
    }
  }

  std::vector<std::uint8_t>& out_;
  DeterministicRandom& random_;
  std::vector<std::vector<std::uint8_t>> idioms_;
};

}  // namespace

BenchInput SyntheticBinaryInput(std::size_t size, std::uint32_t seed) {
  DeterministicRandom random(seed);
  BenchInput input{"synthetic-binaries", {}, {}};
  input.bytes.reserve(size);
  while (input.bytes.size() < size) {
    const std::size_t fileSize =
        std::min<std::size_t>(size - input.bytes.size(), 200000 + random.Below(3000000));
    SyntheticFile(input.bytes, random).Write(fileSize);
    input.fileSizes.push_back(fileSize);
  }
  return input;
}
