// A stand-in Windows module: a PE-style header, then sections of machine-code-like
// bytes, read-only tables and strings, initialised data and resources, each padded
// with zeros to the 512-byte file alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/common/DeterministicRandom.h"

std::vector<std::uint8_t> MakeModuleImage(DeterministicRandom& random, std::size_t size);
