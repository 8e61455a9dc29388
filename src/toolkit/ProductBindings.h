// The bindings of the product's own component classes: the glyph button, the
// stored-file set with its settings objects, and the string table. Win32 layer.
#pragma once

#include "toolkit/Binding.h"

void AddProductBindings(BindingRegistry& bindings);
