#include <algorithm>
#include <new>
#include <stdexcept>

#include "SfpackCommands.h"
#include "storage/StoredData.h"
#include "tools/common/InputFile.h"
#include "tools/common/OutputFile.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  const char* help;
  int (*run)(const CommandArgs&, std::ostream&);
};

const Command kCommands[] = {
    {"pack", "sfpack pack OUT.sfp FILE...",
     "Packs the files, in the order given, into a new SFP1 container. Each is stored\n"
     "under its own name without folders; two files of one name are refused, as is a\n"
     "name that could not be extracted safely.\n",
     PackCommand},
    {"list", "sfpack list [--summary] IN.sfp...",
     "Lists each stored file: name, size, stored length, blocks, and blocks coded in\n"
     "position-list and in escape mode; then the container's totals. --summary prints\n"
     "the totals only. Reads the SFP1 and the legacy layout.\n",
     ListCommand},
    {"extract", "sfpack extract IN.sfp DIR [NAME...]",
     "Writes the named stored files (all of them when no name is given) into DIR,\n"
     "creating it when missing. Nothing is written outside DIR: a stored name that is\n"
     "absolute or holds a path separator, a drive colon, or is \".\" or \"..\" is refused,\n"
     "and so is a target that is a symbolic link, a folder or a read-only file. Each\n"
     "file is written under a temporary name and replaces the old one only when whole.\n",
     ExtractCommand},
    {"verify", "sfpack verify IN.sfp...",
     "Decodes every stored file, checks its size, codes the files again and confirms\n"
     "that the container comes back byte for byte (a legacy container: that its files\n"
     "come back from the SFP1 layout it is rewritten in).\n",
     VerifyCommand},
};

void PrintOverview(std::ostream& out) {
  out << "sfpack: packs files into SFP1 stored-data containers and takes them apart.\n\n"
         "Commands:\n";
  for (const Command& command : kCommands) out << "  " << command.usage << '\n';
  out << "\nsfpack COMMAND --help describes one command.\n";
}

const Command* FindCommand(const std::string& name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace

int RunSfpack(const CommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintOverview(err);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintOverview(out);
    return kExitOk;
  }
  const Command* const command = FindCommand(args[0]);
  if (command == nullptr) {
    err << "sfpack: unknown command \"" << args[0] << "\" (sfpack --help lists them)\n";
    return kExitUsage;
  }
  const CommandArgs rest(args.begin() + 1, args.end());
  if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
    out << "usage: " << command->usage << "\n\n" << command->help;
    return kExitOk;
  }
  try {
    return command->run(rest, out);
  } catch (const UsageError& error) {
    err << "sfpack " << command->name << ": " << error.what() << " (usage: " << command->usage
        << ")\n";
    return kExitUsage;
  } catch (const std::runtime_error& error) {
    // What the commands raise: SfpackError, EInputError, EOutputError,
    // EStoredDataError and EStreamError, each one line that names the file.
    err << "sfpack: " << error.what() << '\n';
  } catch (const std::bad_alloc&) {
    err << "sfpack: not enough memory\n";
  }
  return kExitFault;
}
