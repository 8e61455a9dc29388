// The one place that includes the Windows headers. The build defines STRICT,
// WIN32_LEAN_AND_MEAN, NOMINMAX and the Windows version for every Windows target;
// the product calls the ANSI entry points (the system code page is its text).
#pragma once

#ifndef _WIN32
#error "winapi.h belongs to the Windows build only"
#endif

#include <windows.h>
#include <commdlg.h>
