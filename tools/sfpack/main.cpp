#include <iostream>

#include "SfpackCommands.h"
#ifdef _WIN32
#include "system/DllSearch.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Like every program we ship for Windows, sfpack.exe takes DLLs from the system folder only.
  RestrictDllSearchToSystemFolder();
#endif
  const CommandArgs args(argv + 1, argv + argc);
  return RunSfpack(args, std::cout, std::cerr);
}
