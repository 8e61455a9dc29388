#include "StoredNames.h"

#include <cctype>

namespace {

bool IsDeviceName(const std::string& name) {
  // The device is reached whatever extension follows, in any letter case.
  std::string stem = name.substr(0, name.find('.'));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (stem == device) return true;
  }
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '0' && stem[3] <= '9';
}

}  // namespace

std::string BaseName(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

const char* UnsafeNameReason(const std::string& name) {
  if (name.empty()) return "is empty";
  if (name == "." || name == "..") return "names a folder, not a file";
  for (const char c : name) {
    if (c == '/' || c == '\\') return "holds a path separator";
    if (c == ':') return "holds a drive colon";
    if (static_cast<unsigned char>(c) < 0x20) return "holds a control character";
  }
  if (name.back() == '.' || name.back() == ' ') return "ends in a dot or space";
  if (IsDeviceName(name)) return "is a Windows device name";
  return nullptr;
}
