// sfpack: packs files into "SFP1" containers, lists, extracts and verifies them.
// Every command takes its arguments (without the command name) and two output
// streams, and returns the process exit code, so tests can call them directly.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

using CommandArgs = std::vector<std::string>;

// A fault the tool reports as one line: the message names the file and what is wrong.
class SfpackError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Wrong arguments: reported with a pointer to the command's --help.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFault = 1;  // bad input, unreadable or unwritable file
constexpr int kExitUsage = 2;  // wrong arguments

// Each command throws SfpackError or UsageError, or the file helpers' EInputError and
// EOutputError (InputFile.h, OutputFile.h); RunSfpack turns each into one line.
int PackCommand(const CommandArgs& args, std::ostream& out);
int ListCommand(const CommandArgs& args, std::ostream& out);
int ExtractCommand(const CommandArgs& args, std::ostream& out);
int VerifyCommand(const CommandArgs& args, std::ostream& out);

// The whole tool: args[0] is the command. Faults go to err as "sfpack: <message>".
int RunSfpack(const CommandArgs& args, std::ostream& out, std::ostream& err);
