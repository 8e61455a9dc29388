// The check that start-up makes before it builds anything from the stored window
// description: a damaged or cut-off download must not get as far as the loader.
// Portable.
#pragma once

#include <cstddef>

// Whether the CRC-32 of description equals storedCrc, which is the value as the
// executable carries it beside the description: exactly four little-endian bytes.
// Stored bytes of any other length never match.
bool DescriptionMatchesCrc(const void* description, std::size_t size, const void* storedCrc,
                           std::size_t storedCrcSize);
