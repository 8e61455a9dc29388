// The disc glyphs: 16 x 16 pictures of a shaded disc with a white symbol, on white.
// The glyph button's built-in OK, Cancel and Help images are these, written as the
// table src/button/BuiltinGlyphTables.cpp; the Install and Close buttons store the
// OK and Cancel ones in the window description.
#pragma once

#include <string>

#include "toolkit/Bitmap.h"

enum class DiscGlyph { kOk, kCancel, kHelp };

TBitmap DrawDiscGlyph(DiscGlyph glyph);

// Writes the three glyphs as the C++ table that the button is built with.
// Throws EOutputError (OutputFile.h) when the file cannot be written.
void WriteGlyphTable(const std::string& path);
