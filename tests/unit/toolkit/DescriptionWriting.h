// Components written back as a window description, so that the tests can hold what
// a loaded form would store against the bytes it was loaded from. The program only
// ever reads descriptions; dfmc writes them from source text.
#pragma once

#include "base/ByteStream.h"
#include "base/Component.h"
#include "toolkit/Binding.h"

// Writes root and the components it owns as a description: properties in declared
// order, nested objects as dotted paths, a property equal to its declared default
// left out, never-stored ones never written, bytes properties only when their class
// says so. Throws EDescriptionError for an object whose class or property is not bound.
void WriteDescription(TComponent& root, TStream& out, const BindingRegistry& bindings);
