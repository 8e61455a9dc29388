// The bindings of the product's own component classes: the glyph button, the
// stored-file set with its settings objects, and the string table. Win32 layer.
// Each binding is checked against its schema as it is made, so AddProductSchemas
// must already be in the registry the bindings refer to.
#pragma once

#include "toolkit/Binding.h"

void AddProductBindings(BindingRegistry& bindings);
