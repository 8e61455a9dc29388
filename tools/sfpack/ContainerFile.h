// Containers as the commands see them. Every fault is raised with the file's path in
// front of what is wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SfpackCommands.h"
#include "base/ByteStream.h"
#include "storage/StoredData.h"

struct LoadedContainer {
  std::string path;
  std::vector<std::uint8_t> bytes;
  StoredContainer container;
  std::vector<StoredRecordSpan> spans;  // one per file, in stored order
};

LoadedContainer LoadContainer(const std::string& path);

// "1 file", "21 files".
std::string FileCount(std::size_t count);
