// CRC-32 (the zlib/PNG polynomial 0xEDB88320, reflected, initial and final
// inversion) over a byte range. The installer checks its stored window
// description with it before it builds anything from those bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues a running CRC: Crc32(b, n2, Crc32(a, n1)) == Crc32 of a followed by b.
std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc = 0);

// The same CRC through the tables alone. Crc32 folds with carry-less multiplication
// where the processor has it and leaves only the last bytes to the tables; this lets
// the tests hold the table path to the definition on such a processor too.
std::uint32_t Crc32ByTable(const void* data, std::size_t size, std::uint32_t crc = 0);
