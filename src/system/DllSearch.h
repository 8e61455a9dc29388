// Where the program's DLLs come from. The installer runs elevated from the folder it
// was downloaded to, where an earlier download may have left a DLL under the name of
// one that Windows looks for in the program's own folder; loaded from there, it would
// run elevated too. So every program we ship for Windows takes DLLs from the system
// folder only: its import table names only DLLs that Windows always takes from there
// (its known DLLs, checked by the tests), it restricts the search first thing, and it
// loads the libraries it needs at run time by their full path in the system folder.
#pragma once

#include "system/winapi.h"

// Restricts the DLL search of the whole process to the system folder, for the
// program's own loads and for those of the system libraries it uses (theming, shell,
// the open-file dialog's helpers). Call it first in WinMain or main, before any
// window, control or dialog is made. The current folder is left out of the search in
// any case; the program's own folder too where Windows can restrict the search
// (Windows 8 and later, Windows 7 with update KB2533623), which the result tells.
bool RestrictDllSearchToSystemFolder();

// Loads the library `name` (a file name such as "msftedit.dll") from the system
// folder by its full path, and the libraries it needs from the system folder too.
// nullptr when it is not there or cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
