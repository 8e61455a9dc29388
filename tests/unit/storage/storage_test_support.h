// Helpers shared by the storage tests: byte vectors, containers built from them,
// and deterministic file contents.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "storage/StoredData.h"
#include "tests/unit/support/TestBytes.h"

inline const Bytes kMagicBytes = {0x53, 0x46, 0x50, 0x31};  // "SFP1"

// A path in the temporary folder that no other test program running at the same
// time (another build's, say) will pick.
inline std::filesystem::path ScratchPath(const std::string& stem) {
  std::random_device entropy;
  return std::filesystem::temp_directory_path() /
         (stem + "_" + std::to_string(entropy()) + std::to_string(entropy()));
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

inline Bytes Contents(const TMemoryStream& stream) {
  return Bytes(stream.Data(), stream.Data() + stream.Size());
}

inline TMemoryStream StreamOf(const Bytes& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.Write(bytes.data(), bytes.size());
  stream.Seek(0);
  return stream;
}

inline StoredContainer ReadContainer(const Bytes& bytes) {
  TSpanStream in(bytes.data(), bytes.size());
  StoredContainer container;
  container.Read(in);
  return container;
}

inline Bytes WriteContainer(const StoredContainer& container) {
  TMemoryStream out;
  container.Write(out);
  return Contents(out);
}

inline void AddFile(StoredContainer& container, const std::string& name, const Bytes& bytes) {
  StoredEntry entry;
  entry.name = name;
  entry.data = StreamOf(bytes);
  container.files.push_back(std::move(entry));
}

// Bytes that look like a little machine code with padding: mostly varied, with zero
// runs of assorted lengths, so that both codec modes and run codes all show up.
inline Bytes MixedBytes(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  std::uint32_t state = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < size;) {
    state = state * 1664525u + 1013904223u;
    const std::size_t run = (state >> 28) == 0 ? (state >> 16 & 0x3FF) : 0;
    if (run != 0) {
      for (std::size_t k = 0; k < run && i < size; ++k) bytes[i++] = 0;
    } else {
      bytes[i++] = static_cast<std::uint8_t>(state >> 24);
    }
  }
  return bytes;
}
