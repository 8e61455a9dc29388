#include "ContainerFile.h"

#include <new>
#include <utility>

#include "tools/common/InputFile.h"

LoadedContainer LoadContainer(const std::string& path) {
  LoadedContainer loaded;
  loaded.path = path;
  loaded.bytes = ReadInputFile(path);
  TSpanStream in(loaded.bytes.data(), loaded.bytes.size());
  try {
    const StoredDataHeader header = ReadStoredDataHeader(in);
    loaded.container.compressed = header.compressed;
    for (std::int32_t index = 0; index < header.count; ++index) {
      RecordSpan span{};
      span.begin = static_cast<std::size_t>(in.Position());
      StoredEntry entry;
      ReadStoredRecord(in, header.compressed, index, entry.name, entry.data);
      span.end = static_cast<std::size_t>(in.Position());
      // Name length and name, then S (and N in the compressed layout).
      span.sequence = span.begin + 8 + entry.name.size() + (header.compressed ? 4 : 0);
      loaded.container.files.push_back(std::move(entry));
      loaded.spans.push_back(span);
    }
  } catch (const EStoredDataError& error) {
    throw SfpackError(path + ": " + error.what());
  } catch (const EStreamError& error) {
    throw SfpackError(path + ": " + error.what());
  } catch (const std::bad_alloc&) {
    throw SfpackError(path + ": not enough memory to decode it");
  }
  return loaded;
}

std::string FileCount(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " file" : " files");
}
