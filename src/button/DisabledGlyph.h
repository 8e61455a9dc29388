// The greyed glyph of a disabled button: a copy of the glyph moved three
// quarters of the way toward the button face colour. Pixels of the glyph's key
// colour (its top-left pixel) are left as they are, so they stay transparent.
#pragma once

#include "toolkit/Bitmap.h"

// Makes `disabled` a transparent copy of `glyph`, blended toward the face.
void DeriveDisabledBitmap(const TBitmap& glyph, TBitmap& disabled);

// Writes into `target` every pixel of `source` that is not the key colour, each
// channel (c + 3 * face) / 4, face being the system button-face colour.
// `target` is expected to be at least as large as `source`'s image it copies.
void BlendTowardFace(const TBitmap& source, TBitmap& target);
