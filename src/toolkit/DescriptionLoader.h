// Builds a form's components from a binary window description. Portable: resources, windows and
// files are the caller's business; the loader sees a span of bytes and the bindings.
#pragma once

#include "base/ByteStream.h"
#include "base/Component.h"
#include "toolkit/Binding.h"
#include "toolkit/HandlerTable.h"

// Reads the description from in, in place: sets root's own properties from record 0,
// creates every further record's component with root as its owner in stored order and
// sets its properties (a bytes property reads a TSpanStream over exactly its bytes),
// then runs Loaded() on each created component in order and last on root.
//
// Any failure (a damaged stream, an unknown class or property, a handler that is
// missing, a value its object refuses, an exception from Loaded()) destroys every
// component created so far and throws EDescriptionError saying what and where. Root
// itself is left to its creator, with whatever record 0 had set.
void LoadDescription(TComponent& root, TSpanStream& in, const BindingRegistry& bindings,
                     const THandlerTable& handlers);
