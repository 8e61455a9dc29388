#include "base/ByteStream.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "base/LittleEndian.h"

// ---- TStream ----------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  const std::size_t delivered = Read(buffer, count);
  if (delivered != count) {
    throw EReadError("stream read error: " + std::to_string(count) + " bytes wanted, " +
                     std::to_string(delivered) + " available");
  }
}

std::int64_t TStream::Remaining() const {
  const std::int64_t left = Size() - Position();
  return left > 0 ? left : 0;
}

const std::uint8_t* TStream::Lend(std::size_t) {
  return nullptr;
}

std::int32_t TStream::ReadInt32() {
  std::uint8_t bytes[4];
  ReadBuffer(bytes, sizeof bytes);
  return static_cast<std::int32_t>(LoadLe32(bytes));
}

void TStream::WriteInt32(std::int32_t value) {
  std::uint8_t bytes[4];
  StoreLe32(bytes, static_cast<std::uint32_t>(value));
  Write(bytes, sizeof bytes);
}

namespace {

// Shared by the in-memory streams: a position from 0 to size, or EStreamError.
std::size_t CheckedPosition(std::int64_t position, std::size_t size) {
  if (position < 0 || static_cast<std::uint64_t>(position) > size) {
    throw EStreamError("stream seek to " + std::to_string(position) + " outside 0.." +
                       std::to_string(size));
  }
  return static_cast<std::size_t>(position);
}

// Shared by the in-memory streams: a plain read, as many bytes as remain up to count.
std::size_t ReadBytes(const std::uint8_t* data, std::size_t size, std::size_t& position,
                      void* buffer, std::size_t count) {
  const std::size_t available = size - position;
  const std::size_t delivered = count < available ? count : available;
  if (delivered != 0) {
    std::memcpy(buffer, data + position, delivered);
    position += delivered;
  }
  return delivered;
}

// Shared by the in-memory streams: count bytes in place, or none when fewer remain.
const std::uint8_t* LendBytes(const std::uint8_t* data, std::size_t size, std::size_t& position,
                              std::size_t count) {
  if (count > size - position) return nullptr;
  const std::uint8_t* const bytes = data + position;
  position += count;
  return bytes;
}

}  // namespace

// ---- TMemoryStream ----------------------------------------------------------

TMemoryStream::TMemoryStream(TMemoryStream&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      position_(std::exchange(other.position_, 0)) {}

TMemoryStream& TMemoryStream::operator=(TMemoryStream&& other) noexcept {
  if (this != &other) {
    std::free(data_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    position_ = std::exchange(other.position_, 0);
  }
  return *this;
}

TMemoryStream::~TMemoryStream() {
  std::free(data_);
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  return ReadBytes(data_, size_, position_, buffer, count);
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return;
  if (count > static_cast<std::size_t>(-1) - position_) throw EWriteError("memory stream full");
  const std::size_t end = position_ + count;
  if (end > capacity_) {
    // Grow by half again so that a writer appending small pieces stays linear.
    const std::size_t half = capacity_ / 2;
    const std::size_t grown =
        half <= static_cast<std::size_t>(-1) - capacity_ ? capacity_ + half : end;
    try {
      Reserve(grown > end ? grown : end);
    } catch (const std::bad_alloc&) {
      Reserve(end);
    }
  }
  std::memcpy(data_ + position_, buffer, count);
  position_ = end;
  if (end > size_) size_ = end;
}

void TMemoryStream::Seek(std::int64_t position) {
  position_ = CheckedPosition(position, size_);
}

const std::uint8_t* TMemoryStream::Lend(std::size_t count) {
  return LendBytes(data_, size_, position_, count);
}

void TMemoryStream::SetSize(std::size_t size) {
  if (size > capacity_) Reserve(size);
  size_ = size;
  if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
  std::free(data_);
  data_ = nullptr;
  size_ = capacity_ = position_ = 0;
}

void TMemoryStream::Reserve(std::size_t capacity) {
  // realloc keeps the old bytes and leaves the new ones as they come: a decoded file
  // is overwritten in full right after it is sized, so zeroing would be wasted work.
  void* const grown = std::realloc(data_, capacity);
  if (grown == nullptr) throw std::bad_alloc();
  data_ = static_cast<std::uint8_t*>(grown);
  capacity_ = capacity;
}

// ---- TSpanStream ------------------------------------------------------------

TSpanStream::TSpanStream(const void* data, std::size_t size)
    : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

std::size_t TSpanStream::Read(void* buffer, std::size_t count) {
  return ReadBytes(data_, size_, position_, buffer, count);
}

void TSpanStream::Write(const void*, std::size_t) {
  throw EWriteError("stream write error: a span stream is read-only");
}

void TSpanStream::Seek(std::int64_t position) {
  position_ = CheckedPosition(position, size_);
}

const std::uint8_t* TSpanStream::Lend(std::size_t count) {
  return LendBytes(data_, size_, position_, count);
}

// ---- TFileStream ------------------------------------------------------------

namespace {

// 64-bit offsets on both builds: the 32-bit Windows long is too narrow for big files.
int SeekFile(std::FILE* file, std::int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

std::int64_t TellFile(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<std::int64_t>(ftello(file));
#endif
}

std::string ErrnoText() {
  return std::strerror(errno);
}

}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
  // Some systems open a folder like a file, and its "size" is then nonsense.
  struct stat info{};
  if (stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) {
    throw EStreamError(path + ": is a folder");
  }
  file_ = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb");
  if (file_ == nullptr) {
    throw EStreamError(path + ": cannot " + (mode == Mode::Read ? "open" : "create") + " (" +
                       ErrnoText() + ")");
  }
}

TFileStream::~TFileStream() {
  if (file_ != nullptr) std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  if (file_ == nullptr || count == 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

void TFileStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return;
  if (file_ == nullptr || std::fwrite(buffer, 1, count, file_) != count) {
    throw EWriteError(path_ + ": write failed (" + ErrnoText() + ")");
  }
}

std::int64_t TFileStream::Position() const {
  return file_ == nullptr ? 0 : TellFile(file_);
}

void TFileStream::Seek(std::int64_t position) {
  if (position < 0 || position > Size() || file_ == nullptr ||
      SeekFile(file_, position, SEEK_SET) != 0) {
    throw EStreamError(path_ + ": cannot seek to " + std::to_string(position));
  }
}

std::int64_t TFileStream::Size() const {
  if (file_ == nullptr) return 0;
  const std::int64_t here = TellFile(file_);
  if (here < 0 || SeekFile(file_, 0, SEEK_END) != 0) return 0;
  const std::int64_t end = TellFile(file_);
  SeekFile(file_, here, SEEK_SET);
  return end < 0 ? 0 : end;
}

void TFileStream::Close() {
  if (file_ == nullptr) return;
  std::FILE* const file = std::exchange(file_, nullptr);
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) throw EWriteError(path_ + ": write failed (" + ErrnoText() + ")");
}
