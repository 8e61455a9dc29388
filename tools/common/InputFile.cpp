#include "InputFile.h"

#include <new>

#include "base/ByteStream.h"

namespace {

template <typename Buffer>
Buffer ReadWhole(const std::string& path) {
  try {
    TFileStream file(path, TFileStream::Mode::Read);
    const std::int64_t size = file.Size();
    // Half the address space at most: a 32-bit tool must still hold what it makes of it.
    if (static_cast<std::uint64_t>(size) > static_cast<std::size_t>(-1) / 2) {
      throw EInputError(path + ": too large (" + std::to_string(size) + " bytes)");
    }
    Buffer bytes(static_cast<std::size_t>(size), 0);
    if (!bytes.empty()) file.ReadBuffer(&bytes[0], bytes.size());
    return bytes;
  } catch (const EReadError&) {
    throw EInputError(path + ": read failed");
  } catch (const EStreamError& error) {
    throw EInputError(error.what());  // already names the path
  } catch (const std::bad_alloc&) {
    throw EInputError(path + ": not enough memory to read it");
  }
}

}  // namespace

std::vector<std::uint8_t> ReadInputFile(const std::string& path) {
  return ReadWhole<std::vector<std::uint8_t>>(path);
}

std::string ReadInputText(const std::string& path) {
  return ReadWhole<std::string>(path);
}
