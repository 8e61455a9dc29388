#include <algorithm>

#include "CommandLine.h"
#include "ContainerFile.h"

namespace {

std::string DescribeOffset(const LoadedContainer& loaded, std::size_t offset) {
  for (std::size_t i = 0; i < loaded.spans.size(); ++i) {
    if (offset >= loaded.spans[i].begin && offset < loaded.spans[i].end) {
      return "offset " + std::to_string(offset) + " (record " + std::to_string(i) + " " +
             QuotedName(loaded.container.files[i].name) + ")";
    }
  }
  return "offset " + std::to_string(offset);
}

bool SameFiles(const StoredContainer& a, const StoredContainer& b) {
  if (a.files.size() != b.files.size()) return false;
  for (std::size_t i = 0; i < a.files.size(); ++i) {
    const TMemoryStream& x = a.files[i].data;
    const TMemoryStream& y = b.files[i].data;
    if (a.files[i].name != b.files[i].name || x.Size() != y.Size() ||
        !std::equal(x.Data(), x.Data() + x.Size(), y.Data())) {
      return false;
    }
  }
  return true;
}

// Reading already decoded every file to exactly its stated size; what is left to
// prove is that the container is what this codec and writer make of those files.
void VerifyOne(const std::string& path, std::ostream& out) {
  const LoadedContainer loaded = LoadContainer(path);
  const std::size_t length = loaded.bytes.size();
  const std::size_t used = loaded.spans.empty() ? kStoredDataHeaderSize : loaded.spans.back().end;
  if (used < length) {
    throw SfpackError(path + ": " + std::to_string(length - used) +
                      " bytes follow the last record");
  }
  TMemoryStream rewritten;
  loaded.container.Write(rewritten);
  std::int64_t decoded = 0;
  for (const StoredEntry& file : loaded.container.files) decoded += file.data.Size();

  if (loaded.container.compressed) {
    const std::uint8_t* const original = loaded.bytes.data();
    const std::size_t common = std::min(length, static_cast<std::size_t>(rewritten.Size()));
    const std::size_t differ = static_cast<std::size_t>(
        std::mismatch(original, original + common, rewritten.Data()).first - original);
    if (differ != common || length != static_cast<std::size_t>(rewritten.Size())) {
      throw SfpackError(path + ": written back, the container differs at " +
                        DescribeOffset(loaded, differ));
    }
    out << path << ": ok, " << FileCount(loaded.container.files.size()) << ", " << decoded
        << " bytes decoded, written back identical\n";
    return;
  }
  // A legacy container cannot come back byte for byte; its files must.
  TSpanStream again(rewritten.Data(), static_cast<std::size_t>(rewritten.Size()));
  StoredContainer reread;
  reread.Read(again);
  if (!SameFiles(loaded.container, reread)) {
    throw SfpackError(path + ": written back in the SFP1 layout, the files differ");
  }
  out << path << ": ok, legacy layout, " << FileCount(loaded.container.files.size()) << ", "
      << decoded << " bytes decoded, written back in the SFP1 layout\n";
}

}  // namespace

int VerifyCommand(const CommandArgs& args, std::ostream& out) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.operands.empty()) throw UsageError("needs at least one container");
  for (const std::string& path : parsed.operands) VerifyOne(path, out);
  return kExitOk;
}
