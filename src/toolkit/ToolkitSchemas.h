// The published properties of the toolkit's own classes, declared once for the
// description compiler and for the loader. Declared defaults equal what each
// class's constructor sets. A program declares its own classes' schemas after
// these, since they derive from the toolkit's.
#pragma once

#include "toolkit/Schema.h"

// TComponent, TFont, the controls, the form and the open-file dialog.
void AddToolkitSchemas(SchemaRegistry& schemas);
