// The files a Windows build hands shipped_file_test, and what it expects of them.
#pragma once

#include <cstdint>
#include <string>

struct ShippedFiles {
  std::uint16_t machine = 0;
  std::string installer;
  std::string sfpack;       // empty: its checks are skipped
  std::string description;  // the window description the build made, and its CRC-32
  std::string crc;          // file (both or neither)
  bool mustBeSigned = false;
};

// The options after GoogleTest has taken its own; throws std::invalid_argument naming
// the one at fault.
ShippedFiles ParseShippedFiles(int argc, char** argv);

extern const char kShippedFilesUsage[];
