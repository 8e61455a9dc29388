#include "system/Registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "system/Handles.h"
#include "system/PathText.h"

namespace {
constexpr DWORD kStringValueBufferSize = 1024;
}

bool OpenRegKey(HKEY& key, const std::string& subkey, REGSAM access) {
  const std::string path = StripLeadingChar(subkey, '\\');
  return RegOpenKeyExA(key, path.c_str(), 0, access, &key) == ERROR_SUCCESS;
}

bool QueryRegValue(HKEY key, const std::string& name, DWORD& type, DWORD& size, BYTE* buffer) {
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, buffer, &size) != ERROR_SUCCESS) {
    return false;
  }
  return type != REG_SZ || size != 0;
}

bool ReadRegString(HKEY root, const std::string& subkey, const std::string& name,
                   std::string& value) {
  value.clear();
  HKEY opened = root;
  if (!OpenRegKey(opened, subkey, KEY_READ)) return false;
  const TRegKey key(opened);

  std::vector<BYTE> buffer(kStringValueBufferSize, 0);
  DWORD type = REG_SZ;
  DWORD size = kStringValueBufferSize;
  if (QueryRegValue(key.Get(), name, type, size, buffer.data())) {
    const char* text = reinterpret_cast<const char*>(buffer.data());
    const DWORD written = std::min(size, kStringValueBufferSize);
    value.assign(text, strnlen(text, written));
  }
  return true;
}
