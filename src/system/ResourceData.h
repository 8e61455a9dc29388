// The RCDATA resources of a loaded module, read in place: a resource stays mapped as
// long as its module, so nothing is copied and nothing needs freeing.
#pragma once

#include <cstddef>

#include "system/winapi.h"

struct RcDataBytes {
  enum class Outcome {
    kFound,
    kMissing,     // the module has no RCDATA resource of that name
    kUnloadable,  // it has one, but the system does not hand out its bytes
  };
  Outcome outcome = Outcome::kMissing;
  const void* bytes = nullptr;  // with kFound: the resource's first byte
  std::size_t size = 0;
};

RcDataBytes RcData(HMODULE module, const char* name);
