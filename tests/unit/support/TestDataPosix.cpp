#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestData.h"

std::string TestProgramFolder() {
  std::vector<char> path(4096);
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
    throw std::runtime_error("cannot read /proc/self/exe to find the test program's folder");
  const std::string program(path.data(), static_cast<std::size_t>(length));
  return program.substr(0, program.find_last_of('/') + 1);
}
