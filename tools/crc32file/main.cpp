// crc32file INPUT OUTPUT: writes the CRC-32 of INPUT into OUTPUT as four
// little-endian bytes. Nothing is left at OUTPUT when INPUT cannot be read whole.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "storage/Crc32.h"

namespace {

bool ReadWhole(const std::string& path, std::vector<char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  const bool whole = std::ferror(file) == 0;
  std::fclose(file);
  return whole;
}

bool WriteLittleEndian(const std::string& path, std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                         static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes, sizeof bytes);
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: crc32file INPUT OUTPUT\n");
    return 2;
  }
  std::vector<char> bytes;
  if (!ReadWhole(argv[1], bytes)) {
    std::fprintf(stderr, "crc32file: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!WriteLittleEndian(argv[2], Crc32(bytes.data(), bytes.size()))) {
    std::fprintf(stderr, "crc32file: cannot write %s\n", argv[2]);
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
