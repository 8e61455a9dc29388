// The two 16 x 16 glyphs stored with the Install and Close buttons: a green disc
// with a white check mark and a red disc with a white cross, on a white key.
#pragma once

#include "Bmp.h"

Picture MakeCheckGlyph();
Picture MakeCrossGlyph();
