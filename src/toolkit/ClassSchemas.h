// The published properties of the toolkit's classes and of the product's own
// components, declared once for the description compiler and for the loader.
// Declared defaults equal what each class's constructor sets.
#pragma once

#include "toolkit/Schema.h"

// TComponent, TFont, the controls, the form and the open-file dialog.
void AddToolkitSchemas(SchemaRegistry& schemas);
// TXMButton, the stored-file set with its settings objects, the string table and
// the installer window. Needs AddToolkitSchemas first.
void AddProductSchemas(SchemaRegistry& schemas);

// Both of the above: every class a window description of this product can name.
void AddAllSchemas(SchemaRegistry& schemas);
