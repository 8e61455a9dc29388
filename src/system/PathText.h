// Text operations on paths. Paths are ANSI text in a code page that may be a
// double-byte one (Japanese, Chinese, Korean), where the second byte of a character
// can have the value of a backslash; only a single-byte character counts as a
// separator. Every function here takes the code page, CP_ACP (the system code page,
// which the product speaks) by default.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "system/winapi.h"

// text without its leading run of `character`: "\\a\" stripped of '\' is "a\".
std::string StripLeadingChar(const std::string& text, char character);

// text ending in a backslash: one is appended unless the last character is a
// single-byte backslash. An empty text becomes "\".
std::string IncludeTrailingBackslash(const std::string& text, UINT codePage = CP_ACP);

// Positions, ascending, of the single-byte characters of text that occur in delimiters.
std::vector<std::size_t> FindDelimiters(const std::string& text, const char* delimiters,
                                        UINT codePage = CP_ACP);

// The folder part of a path: everything up to and including its last backslash or
// drive colon; empty when it has neither.
std::string FolderPart(const std::string& path, UINT codePage = CP_ACP);
