// Byte streams: the container reader and writer see stored data through these.
// A plain read delivers what it can and says how much; an exact read fails with
// EReadError when fewer bytes are available; a write fails with EWriteError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class TStream {
 public:
  virtual ~TStream() = default;

  // Plain read: copies up to count bytes and returns how many it delivered.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Exact read: count bytes or EReadError (the stream position is then unspecified).
  void ReadBuffer(void* buffer, std::size_t count);
  // Writes all count bytes or throws EWriteError.
  virtual void Write(const void* buffer, std::size_t count) = 0;

  virtual std::int64_t Position() const = 0;
  // Moves to a position from 0 to Size(); anything else is refused with EStreamError.
  virtual void Seek(std::int64_t position) = 0;
  virtual std::int64_t Size() const = 0;
  // Bytes between the position and the end: what a reader may still expect to get.
  // Readers compare stated sizes with this before they allocate for them.
  std::int64_t Remaining() const;

  // When the next count bytes already lie in memory, returns them in place and moves
  // past them, so that a reader can decode without a copy; otherwise returns nullptr
  // and leaves the position alone. The bytes stay valid while the stream is unchanged.
  virtual const std::uint8_t* Lend(std::size_t count);

  // Little-endian over the exact read and the write.
  std::int32_t ReadInt32();
  void WriteInt32(std::int32_t value);
};

// A growable in-memory byte buffer. Growing does not zero the new bytes.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  TMemoryStream(TMemoryStream&&) noexcept;
  TMemoryStream& operator=(TMemoryStream&&) noexcept;
  ~TMemoryStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(position_); }
  void Seek(std::int64_t position) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }
  const std::uint8_t* Lend(std::size_t count) override;

  // Makes the buffer exactly size bytes long (keeps the first bytes; may throw std::bad_alloc).
  void SetSize(std::size_t size);
  void Clear();
  std::uint8_t* Data() { return data_; }
  const std::uint8_t* Data() const { return data_; }

 private:
  void Reserve(std::size_t capacity);
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::size_t position_ = 0;
};

// Reads bytes that someone else owns (a resource mapped with the executable), in place.
// Writing is refused with EWriteError.
class TSpanStream : public TStream {
 public:
  TSpanStream(const void* data, std::size_t size);
  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(position_); }
  void Seek(std::int64_t position) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(size_); }
  const std::uint8_t* Lend(std::size_t count) override;
  // The unread bytes, for readers that can use them without a copy.
  const std::uint8_t* Current() const { return data_ + position_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// A file on disk, opened for reading or created (truncated) for writing.
class TFileStream : public TStream {
 public:
  enum class Mode { Read, Create };
  // EStreamError names the path and the reason ("is a folder", "cannot open (...)").
  TFileStream(const std::string& path, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  std::int64_t Position() const override;
  void Seek(std::int64_t position) override;
  std::int64_t Size() const override;
  // Flushes and closes; EWriteError when the bytes did not reach the disk.
  void Close();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};
