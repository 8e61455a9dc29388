#include "installer/win32/StoredDescription.h"

#include "installer/DescriptionCheck.h"
#include "system/ResourceData.h"

namespace {

constexpr const char* kDescriptionResource = "FORMSERVICEPACK";
constexpr const char* kDescriptionCrcResource = "FORMSERVICEPACK_CRC";

}  // namespace

std::optional<TSpanStream> CheckedDescription(HMODULE module) {
  const RcDataBytes description = RcData(module, kDescriptionResource);
  const RcDataBytes crc = RcData(module, kDescriptionCrcResource);
  if (description.outcome != RcDataBytes::Outcome::kFound ||
      crc.outcome != RcDataBytes::Outcome::kFound) {
    return std::nullopt;
  }
  if (!DescriptionMatchesCrc(description.bytes, description.size, crc.bytes, crc.size)) {
    return std::nullopt;
  }
  return TSpanStream(description.bytes, description.size);
}
