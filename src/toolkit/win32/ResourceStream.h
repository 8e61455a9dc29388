// The bytes of an RCDATA resource of the running executable, read in place: the
// system maps the executable, so the stream reads straight from that mapping.
#pragma once

#include <string>

#include "base/ByteStream.h"

// EDescriptionError when the executable has no such resource.
TSpanStream ResourceSpan(const std::string& name);
