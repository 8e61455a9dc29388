// stored_description EXE [DESCRIPTION CRC]: the window description that an installer
// executable carries, read through its resource directory. With only EXE it prints
// the description's size and CRC-32; with the two files a build made it checks that
// the executable carries exactly those, so that a release can never ship the payload
// of an earlier build. Exit code 0 when it carries them, 1 when not, 2 on bad usage.
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/LittleEndian.h"
#include "tests/unit/support/InstallerDescription.h"
#include "tests/unit/support/PeImage.h"
#include "tools/common/InputFile.h"

namespace {

std::string BaseName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

// "N bytes, CRC-32 xxxxxxxx": what the executable carries, as a release log shows it.
std::string Summary(const PeImage& image, const InstallerDescription& stored) {
  const std::vector<std::uint8_t> crc = image.Bytes(stored.crc);
  char crcText[16] = "(not 4 bytes)";
  if (crc.size() == 4) {
    std::snprintf(crcText, sizeof crcText, "%08lx",
                  static_cast<unsigned long>(LoadLe32(crc.data())));
  }
  return std::to_string(stored.description.size) + " bytes, CRC-32 " + crcText;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: stored_description EXE [DESCRIPTION CRC]\n");
    return 2;
  }
  const std::string exe = argv[1];
  try {
    const std::vector<std::uint8_t> file = ReadInputFile(exe);
    const PeImage image(file);
    const InstallerDescription stored = FindInstallerDescription(image);
    if (argc == 2) {
      std::printf("stored-description: %s carries a window description (%s)\n",
                  BaseName(exe).c_str(), Summary(image, stored).c_str());
      return 0;
    }
    const std::vector<std::string> problems =
        InstallerDescriptionProblems(image, ReadInputFile(argv[2]), ReadInputFile(argv[3]));
    for (const std::string& problem : problems) {
      std::fprintf(stderr, "stored-description: %s: %s\n", exe.c_str(), problem.c_str());
    }
    if (!problems.empty()) return 1;
    std::printf("stored-description: %s carries the description just built (%s)\n",
                BaseName(exe).c_str(), Summary(image, stored).c_str());
    return 0;
  } catch (const std::runtime_error& error) {  // EInputError, EPeFormatError
    std::fprintf(stderr, "stored-description: %s: %s\n", exe.c_str(), error.what());
    return 1;
  }
}
