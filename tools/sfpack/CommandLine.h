// Splits a command's arguments into options ("--name") and operands. "--" ends the
// options, so that a file whose name starts with "--" can still be named.
#pragma once

#include <set>
#include <string>

#include "SfpackCommands.h"

struct ParsedArgs {
  std::set<std::string> options;
  CommandArgs operands;
  bool Has(const std::string& option) const { return options.count(option) != 0; }
};

// Throws UsageError for an option that is not in `known`.
ParsedArgs ParseArgs(const CommandArgs& args, const std::set<std::string>& known);
