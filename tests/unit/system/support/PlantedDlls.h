// DLLs planted beside a program, as an earlier download might have left them in the
// folder a user runs an installer from: each is named like a library that the program
// or the system libraries it uses might look for, and records every load of itself
// (planted_dll.c). The build makes them all in one folder.
#pragma once

#include <string>

// Copies the planted DLL `name` (such as "dwmapi.dll") into folder, which ends in a
// backslash; false when there is no such planted DLL or it cannot be copied.
bool PlantDll(const std::string& name, const std::string& folder);
// Copies every planted DLL into folder; how many.
int PlantEveryDll(const std::string& folder);
// The names of the planted DLLs in folder that have been loaded, one line per load;
// empty when none was.
std::string RecordedLoads(const std::string& folder);
// Removes the planted DLL `name` and the record of loads from folder.
void RemovePlanted(const std::string& name, const std::string& folder);
