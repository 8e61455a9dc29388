// Paths between the system code page, in which the installer keeps its text, and
// UTF-16, in which the system keeps names.
#pragma once

#include <string>

// path in UTF-16, read in the system code page (as the ANSI calls read it).
std::wstring WidePath(const std::string& path);

// path in the long-path form ("\\?\C:\...", "\\?\UNC\server\share\..."), taken as a
// full path first, for the wide-character calls: a name there may be longer than the
// ANSI calls' limit of MAX_PATH characters. Empty when the path cannot be made full.
std::wstring LongPathForm(const std::string& path);
