// File-system fixtures of the Windows tests: the scratch folder (ScratchSpace.h, which
// every build's tests share), whole-file writes, and what a test asks of a folder;
// whole-file reads are the host tools' own (ReadInputText, InputFile.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/support/ScratchSpace.h"
#include "tools/common/InputFile.h"

// Through the host tools' writer (OutputFile.h): a read-only file or a folder in
// the way throws EOutputError.
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
// A file of the given size whose bytes are never written (they read as zeros): sizes
// of megabytes without writing megabytes.
void MakeFileOfSize(const std::string& path, std::int64_t size);
// The names in a folder other than "." and "..", sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
