#include "PayloadManifest.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

#include "tools/common/InputFile.h"

namespace {

std::int32_t ParseSize(const std::string& field, const std::string& where) {
  if (field.empty() || field.size() > 10 ||
      !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    throw EManifestError(where + ": size \"" + field + "\" is not a number");
  }
  const long long value = std::stoll(field);
  if (value > 2147483647) throw EManifestError(where + ": size " + field + " does not fit 32 bits");
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<ManifestEntry> ParseManifest(const std::string& text, const std::string& origin) {
  std::vector<ManifestEntry> entries;
  std::set<std::pair<std::string, std::string>> seen;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    const std::string where = origin + ":" + std::to_string(number);
    std::istringstream fields(line);
    std::string set, name, size, extra;
    if (!(fields >> set >> name >> size) || (fields >> extra)) {
      throw EManifestError(where + ": expected three fields: set, stored name, size");
    }
    if (!seen.emplace(set, name).second) {
      throw EManifestError(where + ": " + set + " lists " + name + " twice");
    }
    entries.push_back({set, name, ParseSize(size, where)});
  }
  return entries;
}

std::vector<ManifestEntry> LoadManifest(const std::string& path) {
  try {
    return ParseManifest(ReadInputText(path), path);
  } catch (const EInputError& error) {
    throw EManifestError(error.what());
  }
}

std::vector<std::string> ManifestSets(const std::vector<ManifestEntry>& entries) {
  std::vector<std::string> sets;
  for (const ManifestEntry& entry : entries) {
    if (std::find(sets.begin(), sets.end(), entry.set) == sets.end()) sets.push_back(entry.set);
  }
  return sets;
}
