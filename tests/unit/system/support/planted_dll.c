/* A DLL that an attacker might have planted beside a program: built under the name of
   a library that the program or the system libraries it uses might look for, it does
   nothing but append its own file name to planted-loads.txt beside itself each time a
   process loads it. */
#include "system/winapi.h"

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  char path[MAX_PATH + 32];
  char line[MAX_PATH + 2];
  char* name;
  DWORD length;
  HANDLE record;
  DWORD written;
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  for (name = path + length; name > path && name[-1] != '\\';) --name;
  lstrcpynA(line, name, MAX_PATH);
  lstrcatA(line, "\n");
  lstrcpyA(name, "planted-loads.txt");
  record = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (record != INVALID_HANDLE_VALUE) {
    WriteFile(record, line, (DWORD)lstrlenA(line), &written, NULL);
    CloseHandle(record);
  }
  return TRUE;
}
