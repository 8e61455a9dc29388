#include "ShippedFiles.h"

#include <stdexcept>

#include "ShippedFileChecks.h"

const char kShippedFilesUsage[] =
    "usage: shipped_file_test [GoogleTest options] --machine i386|amd64 --installer EXE\n"
    "         [--sfpack EXE] [--description FILE --crc FILE] [--signed]\n";

ShippedFiles ParseShippedFiles(int argc, char** argv) {
  ShippedFiles files;
  bool machineGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--signed") {
      files.mustBeSigned = true;
      continue;
    }
    if (i + 1 == argc) throw std::invalid_argument(option + " without its value");
    const std::string value = argv[++i];
    if (option == "--machine") {
      files.machine = MachineNamed(value);
      machineGiven = true;
    } else if (option == "--installer") {
      files.installer = value;
    } else if (option == "--sfpack") {
      files.sfpack = value;
    } else if (option == "--description") {
      files.description = value;
    } else if (option == "--crc") {
      files.crc = value;
    } else {
      throw std::invalid_argument("unknown option " + option);
    }
  }
  if (!machineGiven || files.installer.empty()) {
    throw std::invalid_argument("--machine and --installer are required");
  }
  if (files.description.empty() != files.crc.empty()) {
    throw std::invalid_argument("--description and --crc go together");
  }
  return files;
}
