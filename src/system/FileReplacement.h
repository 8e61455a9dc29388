// Writing a whole file so that a reader never finds it half written.
#pragma once

#include <cstdint>
#include <string>

// Writes size bytes to a new temporary file next to path and, once every byte is
// written and on disk, moves it over path (replacing a file that is there). On any
// failure the temporary file is removed, whatever was at path stays as it was, and
// the result is false. A file at path that another program holds open cannot be
// replaced: a hold that passes within about three seconds (a virus scanner's, an
// indexer's) is waited out; a longer one is a failure.
bool WriteFileReplacing(const std::string& path, const void* data, std::uint32_t size);

// The name of the temporary file that the attempt-th try of WriteFileReplacing uses
// for path (in the same folder, so the final move never crosses volumes), exactly as
// the wide-character calls are given it: in the long-path form, since it is longer
// than path and may pass the ANSI calls' limit where path does not. Empty when path
// cannot be made a full path.
std::wstring ReplacementTempName(const std::string& path, unsigned attempt);
