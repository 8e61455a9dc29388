#include "ContainerFile.h"

#include <new>
#include <utility>

#include "OutputFile.h"

TMemoryStream ReadWholeFile(const std::string& path) {
  try {
    TFileStream in(path, TFileStream::Mode::Read);
    const std::int64_t size = in.Size();
    if (static_cast<std::uint64_t>(size) > static_cast<std::size_t>(-1) / 2) {
      throw SfpackError(path + ": too large (" + std::to_string(size) + " bytes)");
    }
    TMemoryStream bytes;
    bytes.SetSize(static_cast<std::size_t>(size));
    if (size != 0) in.ReadBuffer(bytes.Data(), static_cast<std::size_t>(size));
    return bytes;
  } catch (const EReadError&) {
    throw SfpackError(path + ": read failed");
  } catch (const EStreamError& error) {
    throw SfpackError(error.what());  // already names the path
  } catch (const std::bad_alloc&) {
    throw SfpackError(path + ": not enough memory to read it");
  }
}

void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  try {
    WriteOutputFile(path, data, size);
  } catch (const EOutputError& error) {
    throw SfpackError(error.what());
  }
}

LoadedContainer LoadContainer(const std::string& path) {
  LoadedContainer loaded;
  loaded.path = path;
  loaded.bytes = ReadWholeFile(path);
  TSpanStream in(loaded.bytes.Data(), static_cast<std::size_t>(loaded.bytes.Size()));
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
