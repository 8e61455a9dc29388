// File sizes: signed 64-bit byte counts, -1 when there is nothing to measure.
#pragma once

#include <cstdint>
#include <string>

#include "system/winapi.h"

// The size of an open file; -1 when the platform cannot tell it.
std::int64_t FileSizeByHandle(HANDLE file);

// The size of the file at path, opened for attribute access only; -1 when it
// cannot be opened.
std::int64_t FileSizeByName(const std::string& path);

// A size given as the high and low 32-bit halves of the platform's find data, as a
// signed 32-bit count: sizes of 2 GB and more become the largest signed 32-bit value.
std::int32_t SaturatedSize32(DWORD high, DWORD low);
