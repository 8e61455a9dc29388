#include <filesystem>
#include <set>
#include <system_error>

#include "CommandLine.h"
#include "ContainerFile.h"
#include "StoredNames.h"
#include "tools/common/OutputFile.h"

namespace {

// The stored files to write: the named ones (first of each name), or all of them.
std::vector<const StoredEntry*> SelectFiles(const LoadedContainer& loaded,
                                            const CommandArgs& names) {
  std::vector<const StoredEntry*> chosen;
  const auto& files = loaded.container.files;
  if (names.empty()) {
    std::set<std::string> seen;
    for (const StoredEntry& file : files) {
      // Two files of one name would silently overwrite each other.
      if (!seen.insert(file.name).second) {
        throw SfpackError(loaded.path + ": stored name " + QuotedName(file.name) +
                          " appears twice");
      }
      chosen.push_back(&file);
    }
    return chosen;
  }
  for (const std::string& name : names) {
    const StoredEntry* found = nullptr;
    for (const StoredEntry& file : files) {
      if (file.name == name) {
        found = &file;
        break;
      }
    }
    if (found == nullptr)
      throw SfpackError(loaded.path + ": no stored file named " + QuotedName(name));
    chosen.push_back(found);
  }
  return chosen;
}

}  // namespace

int ExtractCommand(const CommandArgs& args, std::ostream& out) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.operands.size() < 2) throw UsageError("needs the container and the target folder");
  const LoadedContainer loaded = LoadContainer(parsed.operands[0]);
  const std::string& folder = parsed.operands[1];
  const CommandArgs names(parsed.operands.begin() + 2, parsed.operands.end());
  const std::vector<const StoredEntry*> chosen = SelectFiles(loaded, names);

  // Every name is checked before anything is written.
  for (const StoredEntry* file : chosen) {
    if (const char* reason = UnsafeNameReason(file->name)) {
      throw SfpackError(loaded.path + ": stored name " + QuotedName(file->name) + " refused: it " +
                        reason);
    }
  }
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) throw SfpackError(folder + ": cannot create the folder (" + failure.message() + ")");
  // So is every target: a folder, a read-only file or a symbolic link (which could
  // lead out of DIR) in the way stops the command before it writes anything.
  for (const StoredEntry* file : chosen) CheckOutputPath(folder + "/" + file->name);

  for (const StoredEntry* file : chosen) {
    const std::string path = folder + "/" + file->name;
    WriteOutputFile(path, file->data.Data(), static_cast<std::size_t>(file->data.Size()));
    out << path << " (" << file->data.Size() << " bytes)\n";
  }
  return kExitOk;
}
