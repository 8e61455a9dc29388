#include "system/ResourceData.h"

RcDataBytes RcData(HMODULE module, const char* name) {
  RcDataBytes data;
  const HRSRC resource = FindResourceA(module, name, RT_RCDATA);
  if (!resource) return data;
  const HGLOBAL loaded = LoadResource(module, resource);
  data.bytes = loaded ? LockResource(loaded) : nullptr;
  if (!data.bytes) {
    data.outcome = RcDataBytes::Outcome::kUnloadable;
    return data;
  }
  data.outcome = RcDataBytes::Outcome::kFound;
  data.size = SizeofResource(module, resource);
  return data;
}
