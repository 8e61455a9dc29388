// The two searches that check a folder's contents by name: which names match a
// mask, and how large the first match is.
#pragma once

#include <cstdint>
#include <string>

// The names in folder that match mask, in the platform's order, joined by CR LF
// (no trailing CR LF); empty text when none match or folder is empty. Files mode
// lists every entry that is not a folder, hidden and system files included;
// folders mode lists the folders that are neither hidden nor system. "." and ".."
// are never listed.
std::string ListNames(const std::string& folder, const std::string& mask, bool foldersOnly);

// The size of the first entry a directory search for pathOrPattern finds, file or
// folder; -1 when it finds none. Sizes of 2 GB and more give the largest signed
// 32-bit value.
std::int32_t FirstMatchSize(const std::string& pathOrPattern);
