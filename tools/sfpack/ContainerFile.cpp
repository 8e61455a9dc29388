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
    StoredRecordWalk walk(in);
    loaded.container.compressed = walk.Compressed();
    while (!walk.Done()) {
      StoredEntry entry;
      walk.Read(entry.name, entry.data);
      loaded.container.files.push_back(std::move(entry));
      loaded.spans.push_back(walk.Span());
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
