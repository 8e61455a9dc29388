#include <map>

#include "CommandLine.h"
#include "ContainerFile.h"
#include "StoredNames.h"
#include "tools/common/InputFile.h"
#include "tools/common/OutputFile.h"

int PackCommand(const CommandArgs& args, std::ostream& out) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.operands.size() < 2) throw UsageError("needs the container and at least one file");
  const std::string& output = parsed.operands[0];

  StoredContainer container;
  std::map<std::string, std::string> taken;  // stored name -> the file that took it
  for (auto file = parsed.operands.begin() + 1; file != parsed.operands.end(); ++file) {
    StoredEntry entry;
    entry.name = BaseName(*file);
    // Refused here so that no container is made that extract would then refuse.
    if (const char* reason = UnsafeNameReason(entry.name)) {
      throw SfpackError(*file + ": stored name " + QuotedName(entry.name) + " " + reason);
    }
    const auto earlier = taken.emplace(entry.name, *file);
    if (!earlier.second) {
      throw SfpackError(*file + ": stored name " + QuotedName(entry.name) +
                        " is already taken by " + earlier.first->second);
    }
    const std::vector<std::uint8_t> bytes = ReadInputFile(*file);
    if (!bytes.empty()) entry.data.Write(bytes.data(), bytes.size());
    if (entry.data.Size() > 2147483647) {
      throw SfpackError(*file + ": too large to store (" + std::to_string(entry.data.Size()) +
                        " bytes)");
    }
    container.files.push_back(std::move(entry));
  }

  TMemoryStream bytes;
  container.Write(bytes);
  WriteOutputFile(output, bytes.Data(), static_cast<std::size_t>(bytes.Size()));
  std::int64_t decoded = 0;
  for (const StoredEntry& file : container.files) decoded += file.data.Size();
  out << output << ": " << FileCount(container.files.size()) << ", " << decoded
      << " bytes decoded, " << bytes.Size() << " bytes stored\n";
  return kExitOk;
}
