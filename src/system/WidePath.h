// Paths between the system code page, in which the installer keeps its text, and
// UTF-16, in which the system keeps names. A name can hold characters that the code
// page lacks; such a path must never be given to the ANSI calls in a look-alike form.
#pragma once

#include <optional>
#include <string>

// path in UTF-16, read in the system code page (as the ANSI calls read it).
std::wstring WidePath(const std::string& path);

// path in the system code page when every character converts exactly (no best-fit
// look-alike, no default character); nothing otherwise.
std::optional<std::string> ExactAnsiText(const std::wstring& path);

// A name the ANSI calls reach the file path names by: path itself when it converts
// exactly, else its short (8.3) form when the file has one that does; nothing when
// neither is possible.
std::optional<std::string> AnsiPathFor(const std::wstring& path);

// path in the long-path form ("\\?\C:\...", "\\?\UNC\server\share\..."), taken as a
// full path first, for the wide-character calls: a name there may be longer than the
// ANSI calls' limit of MAX_PATH characters. Empty when the path cannot be made full.
std::wstring LongPathForm(const std::string& path);
