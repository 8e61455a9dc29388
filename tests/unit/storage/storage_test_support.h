// Helpers shared by the storage tests: byte vectors, containers built from them,
// deterministic file contents, and the tests' scratch folders.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "storage/StoredData.h"
#include "tests/unit/support/ScratchSpace.h"
#include "tests/unit/support/TestBytes.h"
#include "tools/common/DeterministicRandom.h"

inline const Bytes kMagicBytes = {0x53, 0x46, 0x50, 0x31};  // "SFP1"

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
  DeterministicRandom random(seed);
  Bytes bytes;
  bytes.reserve(size);
  while (bytes.size() < size) {
    if (random.Below(16) == 0) {
      bytes.resize(std::min(size, bytes.size() + random.Between(1, 1023)), 0);
    } else {
      bytes.push_back(random.Byte());
    }
  }
  return bytes;
}
