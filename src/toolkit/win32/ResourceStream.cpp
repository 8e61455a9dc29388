#include "toolkit/win32/ResourceStream.h"

#include "system/winapi.h"
#include "toolkit/DescriptionFormat.h"

TSpanStream ResourceSpan(const std::string& name) {
  // Resources of the executable stay mapped for the life of the process: nothing to free.
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC resource = FindResourceA(module, name.c_str(), RT_RCDATA);
  if (!resource) throw EDescriptionError("the program holds no window description " + name);
  const HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, resource);
  if (!bytes) throw EDescriptionError("the window description " + name + " cannot be loaded");
  return TSpanStream(bytes, size);
}
