#include "bench_input.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

BenchInput LoadFolderInput(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<fs::path> paths;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());

  BenchInput input{fs::path(folder).lexically_normal().string(), {}, {}};
  for (const auto& path : paths) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    const std::size_t before = input.bytes.size();
    input.bytes.insert(input.bytes.end(), std::istreambuf_iterator<char>(file),
                       std::istreambuf_iterator<char>());
    input.fileSizes.push_back(input.bytes.size() - before);
  }
  if (input.bytes.empty()) throw std::runtime_error("no bytes below " + folder);
  return input;
}
