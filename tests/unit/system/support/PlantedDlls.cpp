#include "PlantedDlls.h"

#include "ScratchFolder.h"
#include "system/DirectorySearch.h"
#include "system/winapi.h"
#include "tests/unit/support/TestData.h"

namespace {

std::string PlantedFolder() {
  return TestDataPath("planted-dlls") + "\\";
}
const std::string kRecord = "planted-loads.txt";

}  // namespace

bool PlantDll(const std::string& name, const std::string& folder) {
  return CopyFileA((PlantedFolder() + name).c_str(), (folder + name).c_str(), FALSE) != 0;
}

int PlantEveryDll(const std::string& folder) {
  int planted = 0;
  for (TDirectorySearch search(PlantedFolder() + "*.dll", 0); search.Found(); search.Next())
    planted += PlantDll(search.Name(), folder);
  return planted;
}

std::string RecordedLoads(const std::string& folder) {
  return PathExists(folder + kRecord) ? ReadInputText(folder + kRecord) : std::string();
}

void RemovePlanted(const std::string& name, const std::string& folder) {
  DeleteFileA((folder + name).c_str());
  DeleteFileA((folder + kRecord).c_str());
}
