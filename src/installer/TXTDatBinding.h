// Makes TTXTDat loadable from a window description: creatable by class name, with
// its Lines published. Portable, unlike the rest of the product's bindings, so that
// the model table's tests load it natively; AddProductBindings calls it.
#pragma once

#include "toolkit/Binding.h"

void AddTXTDatBinding(BindingRegistry& bindings);
