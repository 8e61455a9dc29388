// A read-me page in plain HTML: ASCII only, indented with spaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/common/DeterministicRandom.h"

std::vector<std::uint8_t> MakeReadmeText(DeterministicRandom& random, std::size_t size);
