#include "ModuleImage.h"

#include <utility>

namespace {

constexpr std::size_t kBlockSize = 65533;  // the codec's block size
constexpr std::size_t kHeaderSize = 0x400;
constexpr std::size_t kFileAlignment = 0x200;

// Bytes that x86 code is full of: opcodes, ModRM bytes, small displacements.
const std::uint8_t kCommonCodeBytes[] = {0x00, 0x8B, 0x89, 0x45, 0xFF, 0xE8, 0x83, 0x8D,
                                         0x50, 0x75, 0x74, 0xC3, 0x55, 0xEC, 0x04, 0x08,
                                         0x0C, 0x10, 0x24, 0x85, 0xC0, 0x33, 0x6A, 0x01};

class ImageWriter {
 public:
  ImageWriter(DeterministicRandom& random, std::size_t size) : random_(random), size_(size) {
    bytes_.reserve(size);
  }
  bool Full() const { return bytes_.size() >= size_; }
  std::size_t Offset() const { return bytes_.size(); }
  std::vector<std::uint8_t> Take() {
    bytes_.resize(size_);
    return std::move(bytes_);
  }

  void Put(std::uint8_t byte) {
    if (!Full()) bytes_.push_back(byte);
  }
  void Fill(std::uint8_t byte, std::size_t count) {
    for (std::size_t i = 0; i < count && !Full(); ++i) bytes_.push_back(byte);
  }
  void Text(const char* text) {
    for (; *text != '\0'; ++text) Put(static_cast<std::uint8_t>(*text));
  }
  void Word32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) Put(static_cast<std::uint8_t>(value >> shift));
  }
  void PadTo(std::size_t alignment, std::uint8_t fill) {
    Fill(fill, (alignment - bytes_.size() % alignment) % alignment);
  }

  void Header();
  void CodeSection(std::size_t length);
  void ReadOnlySection(std::size_t length);
  void DataSection(std::size_t length);
  void ResourceSection(std::size_t length);

 private:
  std::uint8_t CodeByte() {
    return random_.Percent(40) ? kCommonCodeBytes[random_.Below(sizeof kCommonCodeBytes)]
                               : random_.Byte();
  }
  DeterministicRandom& random_;
  std::size_t size_;
  std::vector<std::uint8_t> bytes_;
};

void ImageWriter::Header() {
  static const std::uint8_t kDosHeader[] = {0x4D, 0x5A, 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04,
                                            0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xB8, 0x00,
                                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};
  for (const std::uint8_t byte : kDosHeader) Put(byte);
  Fill(0, 0x3C - Offset());
  Word32(0x80);  // where the PE header starts
  static const std::uint8_t kStub[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09,
                                       0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
  for (const std::uint8_t byte : kStub) Put(byte);
  Text("This program cannot be run in DOS mode.\r\r\n$");
  Fill(0, 0x80 - Offset());
  Text("PE");
  Fill(0, 2);
  Word32(0x0005014C);                                  // i386, five sections
  Word32(static_cast<std::uint32_t>(random_.Next()));  // link time stamp
  Fill(0, 8);
  Word32(0x210E00E0);  // optional header size and DLL characteristics
  for (int i = 0; i < 60; ++i) Put(random_.Percent(50) ? 0 : random_.Byte());
  static const char* const kSections[] = {".text", ".rdata", ".data", ".rsrc", ".reloc"};
  for (const char* name : kSections) {
    const std::size_t start = Offset();
    Text(name);
    Fill(0, 8 - (Offset() - start));
    for (int i = 0; i < 4; ++i) Word32(static_cast<std::uint32_t>(random_.Next() & 0x000FFE00));
    Fill(0, 12);
    Word32(0x60000020);
  }
  Fill(0, kHeaderSize - Offset());
}

// Functions of varied length, each aligned to 16 with int3 filler; short zero
// stretches stand for immediates and displacements.
void ImageWriter::CodeSection(std::size_t length) {
  const std::size_t end = Offset() + length;
  while (Offset() < end && !Full()) {
    const std::uint32_t body = random_.Between(24, 700);
    for (std::uint32_t i = 0; i < body; ++i) {
      if (random_.Below(64) == 0) {
        Fill(0, random_.Between(2, 4));
      } else {
        Put(CodeByte());
      }
    }
    PadTo(16, 0xCC);
  }
  PadTo(kFileAlignment, 0);
}

// Import names, message strings, pointer tables and the odd zeroed gap.
void ImageWriter::ReadOnlySection(std::size_t length) {
  static const char* const kNames[] = {"GetProcAddress",
                                       "LoadLibraryA",
                                       "CreateFileA",
                                       "ReadFile",
                                       "WriteFile",
                                       "CloseHandle",
                                       "DeviceIoControl",
                                       "SetEvent",
                                       "WaitForSingleObject",
                                       "Exposure time out of range",
                                       "Camera not connected",
                                       "MTP device"};
  const std::size_t end = Offset() + length;
  while (Offset() < end && !Full()) {
    switch (random_.Below(4)) {
      case 0:
        Text(kNames[random_.Below(sizeof kNames / sizeof kNames[0])]);
        Fill(0, random_.Between(1, 2));
        break;
      case 1:
        for (std::uint32_t i = random_.Between(4, 32); i > 0; --i) {
          Word32(0x10000000u | static_cast<std::uint32_t>(random_.Next() & 0x000FFFFF));
        }
        break;
      case 2:
        for (std::uint32_t i = random_.Between(16, 256); i > 0; --i) Put(random_.Byte());
        break;
      default:
        if (random_.Percent(20)) Fill(0, random_.Between(8, 96));
        break;
    }
  }
  PadTo(kFileAlignment, 0);
}

// Initialised data: small integers among longer zeroed stretches.
void ImageWriter::DataSection(std::size_t length) {
  const std::size_t end = Offset() + length;
  while (Offset() < end && !Full()) {
    if (random_.Percent(30)) {
      Fill(0, random_.Between(8, 400));
    } else {
      for (std::uint32_t i = random_.Between(4, 64); i > 0; --i) Word32(random_.Below(1000));
      for (std::uint32_t i = random_.Between(16, 400); i > 0; --i) Put(random_.Byte());
    }
  }
  PadTo(kFileAlignment, 0);
}

// Icons and bitmaps: stretches of one colour among noisy pixels.
void ImageWriter::ResourceSection(std::size_t length) {
  const std::size_t end = Offset() + length;
  while (Offset() < end && !Full()) {
    if (random_.Percent(25)) {
      Fill(random_.Byte(), random_.Between(3, 48));
    } else {
      for (std::uint32_t i = random_.Between(32, 600); i > 0; --i) Put(random_.Byte());
    }
  }
  PadTo(kFileAlignment, 0);
}

// The last block of a module stands for its relocations and version resource, which
// never use some byte value; the block is then coded in escape mode.
void LeaveOutOneValue(std::vector<std::uint8_t>& bytes, std::uint8_t missing) {
  const std::size_t last_block = bytes.empty() ? 0 : (bytes.size() - 1) / kBlockSize * kBlockSize;
  for (std::size_t i = last_block; i < bytes.size(); ++i) {
    if (bytes[i] == missing) bytes[i] = static_cast<std::uint8_t>(missing + 1);
  }
}

}  // namespace

std::vector<std::uint8_t> MakeModuleImage(DeterministicRandom& random, std::size_t size) {
  ImageWriter image(random, size);
  image.Header();
  while (!image.Full()) {
    const std::uint32_t kind = random.Below(100);
    const std::size_t length = random.Between(8 * 1024, 96 * 1024);
    if (kind < 61) {
      image.CodeSection(length);
    } else if (kind < 78) {
      image.ReadOnlySection(length / 2);
    } else if (kind < 90) {
      image.DataSection(length / 2);
    } else {
      image.ResourceSection(length / 2);
    }
  }
  std::vector<std::uint8_t> bytes = image.Take();
  // A value well clear of the header's own bytes, so the header reads as written.
  LeaveOutOneValue(bytes, static_cast<std::uint8_t>(0xD0 + random.Below(0x20)));
  return bytes;
}
