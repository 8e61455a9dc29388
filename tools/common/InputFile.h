// The files that host tools, benchmarks and tests read whole: a container, a window
// description source, a picture, the payload manifest, a payload file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// One line naming the path and what is wrong with it ("is a folder", "cannot open
// (...)", "read failed", "too large").
class EInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file's bytes; throws EInputError.
std::vector<std::uint8_t> ReadInputFile(const std::string& path);
// The same bytes as a string, for text.
std::string ReadInputText(const std::string& path);
