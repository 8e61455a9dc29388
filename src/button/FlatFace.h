// The face of the glyph button: a fill, a two-tone bevel, the outer edge lines
// and softened corner pixels inside one rectangle. Raised when not pressed,
// pushed in when pressed; the fill lightens when pressed or showing the focus.
#pragma once

#include "toolkit/Color.h"
#include "toolkit/Rect.h"
#include "toolkit/Surface.h"

// Paints the face of `rect` (read only) on `surface` in `color` (which may name a
// system colour). Leaves the surface's brush set to the fill colour, on which the
// caption is then drawn. Rectangles smaller than 4 pixels get lines that run
// backwards and pixels outside the rectangle; the surface clips them.
void PaintFlatFace(const TRect& rect, TSurface& surface, TColor color, bool pressed,
                   bool focusLook);
