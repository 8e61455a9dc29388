#include "toolkit/win32/ResourceStream.h"

#include "system/ResourceData.h"
#include "toolkit/DescriptionFormat.h"

TSpanStream ResourceSpan(const std::string& name) {
  const RcDataBytes data = RcData(GetModuleHandleA(nullptr), name.c_str());
  switch (data.outcome) {
    case RcDataBytes::Outcome::kFound:
      break;
    case RcDataBytes::Outcome::kMissing:
      throw EDescriptionError("the program holds no window description " + name);
    case RcDataBytes::Outcome::kUnloadable:
      throw EDescriptionError("the window description " + name + " cannot be loaded");
  }
  return TSpanStream(data.bytes, data.size);
}
