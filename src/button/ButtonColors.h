// Channel-wise colour arithmetic for the button face. Bits 24 to 31 of the inputs
// are ignored and are zero in the result; a channel saturates instead of carrying
// into or borrowing from its neighbour.
#pragma once

#include "toolkit/Color.h"

// Each channel a + b, capped at 255.
TColor ColorAdd(TColor a, TColor b);
// Each channel a - b, floored at 0.
TColor ColorSub(TColor a, TColor b);
