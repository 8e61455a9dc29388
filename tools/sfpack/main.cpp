#include <iostream>

#include "SfpackCommands.h"

int main(int argc, char** argv) {
  const CommandArgs args(argv + 1, argv + argc);
  return RunSfpack(args, std::cout, std::cerr);
}
