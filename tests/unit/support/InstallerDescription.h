// The window description an installer executable carries, found through its resource
// directory: the RCDATA resources FORMSERVICEPACK and FORMSERVICEPACK_CRC, the same
// two that the installer checks against each other when it starts. The one reader
// of them on the host side: the shipped-file checks, the release's check, and the
// tests that change a copy of the executable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PeImage.h"

struct InstallerDescription {
  PeRange description;
  PeRange crc;  // four bytes, the description's CRC-32, little-endian
};

// Throws EPeFormatError naming the resource that the file lacks.
InstallerDescription FindInstallerDescription(const PeImage& image);

// How what the executable carries differs from the description and CRC files a build
// made: another description, another CRC, or a CRC that is not the description's.
// Empty when all three agree.
std::vector<std::string> InstallerDescriptionProblems(const PeImage& image,
                                                      const std::vector<std::uint8_t>& description,
                                                      const std::vector<std::uint8_t>& crc);
