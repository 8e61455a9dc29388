// The three built-in 16 x 16 glyphs of the glyph button. White (0xFFFFFF) is the
// background and the transparent key of all three; the OK check mark and the
// Cancel cross have pure-white cores, so the face shows through them.
#pragma once

#include <array>
#include <cstdint>

#include "toolkit/Bitmap.h"

using TGlyphImage = std::array<std::uint32_t, 256>;

extern const TGlyphImage kOkGlyph;
extern const TGlyphImage kCancelGlyph;
extern const TGlyphImage kHelpGlyph;

// Makes `bitmap` 16 x 16 (if it is not already) holding `image`, transparent.
void LoadBuiltinGlyph(TBitmap& bitmap, const TGlyphImage& image);
