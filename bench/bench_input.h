// The inputs the codec benchmark measures: the files below a folder, or bytes made
// up to behave like Windows program files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One benchmark input: several files, laid end to end in `bytes`. Each file is
// compressed on its own, as a stored-file set stores it.
struct BenchInput {
  std::string name;
  std::vector<std::uint8_t> bytes;
  std::vector<std::size_t> fileSizes;
};

// Every regular file below `folder`, in path order. Throws std::runtime_error when
// the folder cannot be read or holds no bytes (EInputError, one of them, for a file).
BenchInput LoadFolderInput(const std::string& folder);

// About `size` bytes in a few files shaped like Windows executables and DLLs: code
// with its operand bytes and alignment padding, data with pointers and zero-filled
// tables, text and wide-character resources, and sections padded to 512 bytes.
// Most 65533-byte blocks hold all 256 byte values; text-heavy ones do not.
BenchInput SyntheticBinaryInput(std::size_t size, std::uint32_t seed);
