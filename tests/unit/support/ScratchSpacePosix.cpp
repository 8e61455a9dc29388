#include <filesystem>
#include <system_error>

#include "ScratchSpace.h"

TScratchFolder::TScratchFolder() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("hvtest-" + UniqueTestSuffix());
  std::filesystem::create_directory(folder);  // throws filesystem_error naming it
  path_ = folder.string() + "/";
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;  // what cannot be removed stays
  std::filesystem::remove_all(path_, ignored);
}
