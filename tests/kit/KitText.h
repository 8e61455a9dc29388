// Text helpers of the kit runner: Windows speaks UTF-16, the report is UTF-8.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

// The file's bytes, or "" when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
// Writes (append: adds) the bytes; false when the file cannot be written.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes, bool append);
