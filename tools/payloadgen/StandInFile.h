// Stand-in payload files. The real plugin files are not part of this source tree;
// the stand-ins have their names and sizes and code like them: Windows modules
// whose full blocks hold every byte value (position-list mode) with code, tables,
// strings and zero padding between sections, whose last block misses a value
// (escape mode), and a read-me in plain HTML. About 96 % of the bytes stay after
// coding, as with the real payload.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The same set, name and size always give the same bytes.
std::vector<std::uint8_t> MakeStandInFile(const std::string& set, const std::string& name,
                                          std::size_t size);
