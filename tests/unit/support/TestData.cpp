#include "TestData.h"

#include <stdexcept>

#include "tools/common/InputFile.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsAbsolute(const std::string& path) {
  return path.front() == '/' || path.front() == '\\' || path.find(':') != std::string::npos;
}

}  // namespace

std::string TestDataEntry(const std::string& listText, const std::string& listName,
                          const std::string& key) {
  std::string found;
  bool seen = false;
  std::size_t start = 0;
  while (start < listText.size()) {
    std::size_t end = listText.find('\n', start);
    if (end == std::string::npos) end = listText.size();
    std::string line = listText.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || line.compare(0, equals, key) != 0 || equals != key.size())
      continue;
    if (seen) throw std::runtime_error(listName + " names \"" + key + "\" twice");
    seen = true;
    found = line.substr(equals + 1);
  }
  if (!seen) throw std::runtime_error(listName + " has no \"" + key + "=\" line");
  if (found.empty()) throw std::runtime_error(listName + " gives \"" + key + "\" no path");
  if (IsAbsolute(found)) {
    throw std::runtime_error(listName + " gives \"" + key + "\" the absolute path " + found +
                             "; its paths are relative to the folder of the list");
  }
  return found;
}

std::string TestDataPath(const std::string& key) {
  const std::string folder = TestProgramFolder();
  const std::string list = folder + kTestDataList;
  std::string path = folder + TestDataEntry(ReadInputText(list), list, key);
  for (char& c : path) {
    if (c == '/' || c == '\\') c = kSeparator;
  }
  return path;
}
