#include <iomanip>

#include "CommandLine.h"
#include "ContainerFile.h"
#include "codec/rlecodec.h"

namespace {

struct Totals {
  std::int64_t size = 0;
  std::int64_t stored = 0;
  RleBlockModes modes;
};

void PrintSummary(std::ostream& out, const LoadedContainer& loaded, const Totals& totals) {
  out << loaded.path << ": " << (loaded.container.compressed ? "SFP1" : "legacy") << " layout, "
      << FileCount(loaded.container.files.size()) << ", " << totals.size << " bytes decoded, "
      << loaded.bytes.size() << " bytes stored";
  if (loaded.container.compressed) {
    out << ", " << totals.modes.Total() << " blocks (" << totals.modes.positionList
        << " position-list, " << totals.modes.escape << " escape)";
  }
  out << '\n';
}

void ListOne(const std::string& path, bool summary_only, std::ostream& out) {
  const LoadedContainer loaded = LoadContainer(path);
  if (!summary_only) {
    out << std::left << std::setw(24) << "name" << std::right << std::setw(11) << "size"
        << std::setw(11) << "stored" << std::setw(8) << "blocks" << std::setw(15) << "position-list"
        << std::setw(8) << "escape" << '\n';
  }
  Totals totals;
  for (std::size_t i = 0; i < loaded.container.files.size(); ++i) {
    const StoredEntry& file = loaded.container.files[i];
    const StoredRecordSpan& span = loaded.spans[i];
    const std::size_t stored = span.stored;
    RleBlockModes modes;
    if (loaded.container.compressed) {
      modes = CountBlockModes(loaded.bytes.data() + span.sequence, span.end - span.sequence);
    }
    totals.size += file.data.Size();
    totals.stored += static_cast<std::int64_t>(stored);
    totals.modes.positionList += modes.positionList;
    totals.modes.escape += modes.escape;
    if (summary_only) continue;
    out << std::left << std::setw(24) << file.name << std::right << std::setw(11)
        << file.data.Size() << std::setw(11) << stored;
    if (loaded.container.compressed) {
      out << std::setw(8) << modes.Total() << std::setw(15) << modes.positionList << std::setw(8)
          << modes.escape;
    }
    out << '\n';
  }
  PrintSummary(out, loaded, totals);
}

}  // namespace

int ListCommand(const CommandArgs& args, std::ostream& out) {
  const ParsedArgs parsed = ParseArgs(args, {"--summary"});
  if (parsed.operands.empty()) throw UsageError("needs at least one container");
  for (const std::string& path : parsed.operands) ListOne(path, parsed.Has("--summary"), out);
  return kExitOk;
}
