// Reading the registry (the product never writes it).
#pragma once

#include <string>

#include "system/winapi.h"

// Opens subkey (leading backslashes ignored) below key with the given access and
// stores the opened key in key. The caller owns the opened key. True when opened.
bool OpenRegKey(HKEY& key, const std::string& subkey, REGSAM access);

// Reads the value called name into buffer. type and size carry the caller's values
// in and the platform's report out. True when the value was read, except that a
// REG_SZ value reported with size 0 counts as not read.
bool QueryRegValue(HKEY key, const std::string& name, DWORD& type, DWORD& size, BYTE* buffer);

// Reads a string value of up to 1023 characters. Returns whether the key could be
// opened (not whether the value was read); value is the text read, and empty when
// the key or the value cannot be read or the value does not fit.
bool ReadRegString(HKEY root, const std::string& subkey, const std::string& name,
                   std::string& value);
