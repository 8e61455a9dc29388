// The installer window's decorative picture: 120 x 256, blue glowing tiles.
#pragma once

#include "toolkit/Bitmap.h"

TBitmap MakeSplash();
