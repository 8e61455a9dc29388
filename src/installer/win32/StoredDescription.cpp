#include "installer/win32/StoredDescription.h"

#include "installer/DescriptionCheck.h"

namespace {

constexpr const char* kDescriptionResource = "FORMSERVICEPACK";
constexpr const char* kDescriptionCrcResource = "FORMSERVICEPACK_CRC";

std::optional<TSpanStream> RcDataOf(HMODULE module, const char* name) {
  // Resources stay mapped as long as their module: nothing to free.
  const HRSRC resource = FindResourceA(module, name, RT_RCDATA);
  if (!resource) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::nullopt;
  return TSpanStream(bytes, SizeofResource(module, resource));
}

}  // namespace

std::optional<TSpanStream> CheckedDescription(HMODULE module) {
  std::optional<TSpanStream> description = RcDataOf(module, kDescriptionResource);
  const std::optional<TSpanStream> crc = RcDataOf(module, kDescriptionCrcResource);
  if (!description || !crc) return std::nullopt;
  if (!DescriptionMatchesCrc(description->Current(), static_cast<std::size_t>(description->Size()),
                             crc->Current(), static_cast<std::size_t>(crc->Size()))) {
    return std::nullopt;
  }
  return description;
}
