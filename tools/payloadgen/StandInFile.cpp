#include "StandInFile.h"

#include "ModuleImage.h"
#include "ReadmeText.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::vector<std::uint8_t> MakeStandInFile(const std::string& set, const std::string& name,
                                          std::size_t size) {
  DeterministicRandom random = DeterministicRandom::ForName(set + "/" + name);
  if (EndsWith(name, ".htm") || EndsWith(name, ".txt")) return MakeReadmeText(random, size);
  return MakeModuleImage(random, size);
}
