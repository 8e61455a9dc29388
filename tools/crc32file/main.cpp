// crc32file INPUT OUTPUT: writes the CRC-32 of INPUT into OUTPUT as four
// little-endian bytes. OUTPUT is left as it was when INPUT cannot be read whole or
// OUTPUT cannot be written.
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/LittleEndian.h"
#include "storage/Crc32.h"
#include "tools/common/InputFile.h"
#include "tools/common/OutputFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: crc32file INPUT OUTPUT\n");
    return 2;
  }
  try {
    const std::vector<std::uint8_t> bytes = ReadInputFile(argv[1]);
    std::uint8_t crc[4];
    StoreLe32(crc, Crc32(bytes.data(), bytes.size()));
    WriteOutputFile(argv[2], crc, sizeof crc);
  } catch (const std::runtime_error& error) {  // EInputError or EOutputError
    std::fprintf(stderr, "crc32file: %s\n", error.what());
    return 1;
  }
  return 0;
}
