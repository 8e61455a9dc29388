// The installer's window description as the executable carries it: the RCDATA
// resource FORMSERVICEPACK and, beside it, its CRC-32 in FORMSERVICEPACK_CRC.
// Win32 layer.
#pragma once

#include <optional>

#include "base/ByteStream.h"
#include "system/winapi.h"

// The description of module, read in place where the module is mapped, when it
// comes with a CRC-32 that matches it; nothing when either resource is missing or
// unreadable, or the two disagree.
std::optional<TSpanStream> CheckedDescription(HMODULE module);
