// Stored names are bare file names: the installer joins them to a folder as they
// stand, and extract writes them below its target folder, so a name must never be
// able to reach anywhere else.
#pragma once

#include <string>

// The part of a path after its last folder separator (either slash).
std::string BaseName(const std::string& path);

// Why a stored name cannot be used as a file name inside a folder, or nullptr when
// it can: empty, "." or "..", a path separator or drive colon (which also covers
// absolute paths), a control character, a trailing dot or space (Windows drops
// those), or a Windows device name such as CON or LPT1.TXT.
const char* UnsafeNameReason(const std::string& name);
