// Makes TTXTDat loadable from a window description: creatable by class name, with
// its Lines published.
#pragma once

#include "toolkit/Binding.h"

void AddTXTDatBinding(BindingRegistry& bindings);
