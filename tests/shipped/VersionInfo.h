// The version resource (VS_VERSIONINFO) as Explorer's file properties show it: the
// fixed file and product versions, the strings of each string table and the
// translations that point at them, read from the block's bytes alone.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct VersionInfo {
  // As VS_FIXEDFILEINFO holds them: major << 16 | minor, then build << 16 | revision.
  std::uint32_t fileVersionHigh = 0;
  std::uint32_t fileVersionLow = 0;
  std::uint32_t productVersionHigh = 0;
  std::uint32_t productVersionLow = 0;
  // Table key ("040904E4") -> string name -> value; characters beyond ASCII read as '?'.
  std::map<std::string, std::map<std::string, std::string>> stringTables;
  // VarFileInfo's Translation: the language in the low 16 bits, the code page in the high.
  std::vector<std::uint32_t> translations;
};

// Every block length, key and value is held against the bytes that hold it; a block
// that does not fit throws EPeFormatError naming the block.
VersionInfo ParseVersionInfo(const std::vector<std::uint8_t>& block);
