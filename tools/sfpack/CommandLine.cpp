#include "CommandLine.h"

ParsedArgs ParseArgs(const CommandArgs& args, const std::set<std::string>& known) {
  ParsedArgs parsed;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (!options_ended && arg.size() > 1 && arg[0] == '-') {
      if (known.count(arg) == 0) throw UsageError("unknown option " + arg);
      parsed.options.insert(arg);
    } else {
      parsed.operands.push_back(arg);
    }
  }
  return parsed;
}
