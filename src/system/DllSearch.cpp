#include "system/DllSearch.h"

#include <string>

#include "system/SpecialFolders.h"

namespace {

using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD directoryFlags);

// Present on Windows 8 and later and on Windows 7 with KB2533623. Its presence also
// says that LoadLibraryEx knows the LOAD_LIBRARY_SEARCH_ flags.
TSetDefaultDllDirectories FindSetDefaultDllDirectories() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");  // always loaded: no search
  if (!kernel) return nullptr;
  // Through the generic function type, which GCC allows any function pointer cast to.
  const auto entry =
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories"));
  return reinterpret_cast<TSetDefaultDllDirectories>(entry);
}

}  // namespace

bool RestrictDllSearchToSystemFolder() {
  // An empty DLL directory takes the current folder out of the search order.
  SetDllDirectoryA("");
  const TSetDefaultDllDirectories setDefault = FindSetDefaultDllDirectories();
  return setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const char* name) {
  const std::string folder = SystemFolder();
  if (folder == "\\") return nullptr;  // the system folder could not be named
  const std::string path = folder + name;
  // Where the search flags exist, the library's own imports come from the system
  // folder alone; otherwise the altered search order starts them in the library's
  // folder, the system folder, instead of the program's.
  const DWORD flags =
      FindSetDefaultDllDirectories() ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
  return LoadLibraryExA(path.c_str(), nullptr, flags);
}
