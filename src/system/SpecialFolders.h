// The well-known folders, each ending in a backslash.
//
// When the platform cannot name a folder (its query fails, or the folder keeps
// not fitting the buffer it asks for) the result is "\", the root of the current
// drive: no failure is reported, and no byte that the platform did not write is
// ever taken.
#pragma once

#include <functional>
#include <string>

#include "system/winapi.h"

std::string TempFolder();
std::string SystemFolder();
std::string WindowsFolder();

// The folder of the running executable (not the process's working folder), ending
// in a backslash; "\" when the platform cannot name the executable.
std::string ExecutableFolder();
// The running executable's full path in wide characters, for paths the system code
// page cannot spell; empty when the platform cannot name it.
std::wstring ExecutablePathWide();

// A platform folder query in the shape of GetWindowsDirectoryA: it writes into a
// buffer of the given capacity and returns the length it wrote (without the zero
// byte), the capacity it needs (zero byte included) when the folder does not fit,
// or 0 when it fails.
using TFolderQuery = std::function<DWORD(char* buffer, DWORD capacity)>;

// Runs query into a buffer of 260 characters, retrying with the capacity it asks
// for when the folder does not fit, and returns the folder with the trailing
// backslash rule applied; "\" when the query fails or still does not fit.
std::string ReadFolderQuery(const TFolderQuery& query);
