#include "InstallerDescription.h"

#include "base/LittleEndian.h"
#include "storage/Crc32.h"

namespace {

PeRange RcData(const PeImage& image, const char* name) {
  const auto range = image.ResourceRange(kPeResourceRcData, name);
  if (!range) throw EPeFormatError(std::string("the file has no resource ") + name);
  return *range;
}

}  // namespace

InstallerDescription FindInstallerDescription(const PeImage& image) {
  return {RcData(image, "FORMSERVICEPACK"), RcData(image, "FORMSERVICEPACK_CRC")};
}

std::vector<std::string> InstallerDescriptionProblems(const PeImage& image,
                                                      const std::vector<std::uint8_t>& description,
                                                      const std::vector<std::uint8_t>& crc) {
  const InstallerDescription stored = FindInstallerDescription(image);
  std::vector<std::string> problems;
  if (image.Bytes(stored.description) != description) {
    problems.push_back("it carries another window description (" +
                       std::to_string(stored.description.size) + " bytes, the build's " +
                       std::to_string(description.size()) + ")");
  }
  const std::vector<std::uint8_t> storedCrc = image.Bytes(stored.crc);
  if (storedCrc != crc) problems.push_back("it carries another CRC-32 than the build's");
  std::uint8_t computed[4];
  StoreLe32(computed, Crc32(description.data(), description.size()));
  if (crc != std::vector<std::uint8_t>(computed, computed + 4)) {
    problems.push_back("the build's CRC-32 is not its description's");
  }
  return problems;
}
