// The published properties of the product's own component classes: the glyph
// button, the stored-file set with its settings objects, the string table and the
// installer window. Portable: the description compiler declares them natively, the
// installer before it loads its window. Declared defaults equal what each class's
// constructor sets.
#pragma once

#include "toolkit/Schema.h"

// The classes derive from the toolkit's: AddToolkitSchemas must come first.
void AddProductSchemas(SchemaRegistry& schemas);
