// The payload manifest (resources/payload-manifest.txt): which stored-file set holds
// which files, in stored order, and each file's decoded size. One file per line:
// set name, stored name, size, separated by blanks; '#' starts a comment line.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct ManifestEntry {
  std::string set;
  std::string name;
  std::int32_t size;
};

class EManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `origin` names the text in error messages ("file:line: fault").
std::vector<ManifestEntry> ParseManifest(const std::string& text, const std::string& origin);
std::vector<ManifestEntry> LoadManifest(const std::string& path);

// The set names in order of first appearance.
std::vector<std::string> ManifestSets(const std::vector<ManifestEntry>& entries);
