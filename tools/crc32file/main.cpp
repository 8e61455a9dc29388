// crc32file INPUT OUTPUT: writes the CRC-32 of INPUT into OUTPUT as four
// little-endian bytes. OUTPUT is left as it was when INPUT cannot be read whole or
// OUTPUT cannot be written.
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "OutputFile.h"
#include "base/ByteStream.h"
#include "storage/Crc32.h"

namespace {

// Throws EStreamError naming the path and the reason.
std::vector<char> ReadWhole(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::Read);
  std::vector<char> bytes(static_cast<std::size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

void WriteLittleEndian(const std::string& path, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                         static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
  WriteOutputFile(path, bytes, sizeof bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: crc32file INPUT OUTPUT\n");
    return 2;
  }
  try {
    const std::vector<char> bytes = ReadWhole(argv[1]);
    WriteLittleEndian(argv[2], Crc32(bytes.data(), bytes.size()));
  } catch (const std::runtime_error& error) {  // EStreamError or EOutputError
    std::fprintf(stderr, "crc32file: %s\n", error.what());
    return 1;
  }
  return 0;
}
