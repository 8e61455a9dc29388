// Where a test program finds the files it reads (the installer, the payload, the
// manifest, the window source, ...): the list test-data.txt beside the program, one
// "key=path" a line, each path relative to the program's folder. The build writes
// one into every test folder, and the Windows test kit its own for the kit's layout,
// so the same programs find their data in the build and wherever the kit is unzipped.
#pragma once

#include <string>

// The list's name, beside every test program.
inline constexpr char kTestDataList[] = "test-data.txt";

// The path the list's text gives key, as written there. Lines are "key=path"; blank
// lines and lines starting with '#' are skipped, a trailing carriage return is
// dropped. Throws std::runtime_error naming listName when the key is missing, stated
// twice, or has an empty or absolute path (the list must hold wherever its folder is
// copied).
std::string TestDataEntry(const std::string& listText, const std::string& listName,
                          const std::string& key);

// The path of the file or folder that the list beside the running program names
// key: the program's folder joined with the entry, in the platform's separators.
// Throws std::runtime_error when the list cannot be read or lacks the key.
std::string TestDataPath(const std::string& key);

// The running program's folder, ending in the platform's separator. On Windows in
// the system code page, as the tests' ANSI calls take it (the short form of the
// folder when the code page cannot spell it). Each build links its own definition.
std::string TestProgramFolder();
