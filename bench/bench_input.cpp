#include "bench_input.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "tools/common/InputFile.h"

BenchInput LoadFolderInput(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<fs::path> paths;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());

  BenchInput input{fs::path(folder).lexically_normal().string(), {}, {}};
  for (const auto& path : paths) {
    const std::vector<std::uint8_t> file = ReadInputFile(path.string());
    input.bytes.insert(input.bytes.end(), file.begin(), file.end());
    input.fileSizes.push_back(file.size());
  }
  if (input.bytes.empty()) throw std::runtime_error("no bytes below " + folder);
  return input;
}
