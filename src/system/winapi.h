// The one place that includes the Windows headers: every other file includes this
// one (scripts/check-includes.sh sees to it). The build defines STRICT,
// WIN32_LEAN_AND_MEAN, NOMINMAX and the Windows version for every Windows target of
// ours; the product calls the ANSI entry points (the system code page is its text).
#pragma once

#ifndef _WIN32
#error "winapi.h belongs to the Windows build only"
#endif

#include <windows.h>

// The Windows headers that build on it: the open-file dialog and its errors, the rich
// edit control's messages, and the process memory figures the start-up benchmark reads.
#include <cderr.h>
#include <commdlg.h>
#include <psapi.h>
#include <richedit.h>
