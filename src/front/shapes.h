#pragma once
#include <cstdint>

#include "pixels/rect.h"

class TSurface;

// Filled shapes with a one-pixel outline, as the options screen draws them. Pixels are values of
// the surface's format.

// The rectangle r (right and bottom exclusive) filled, its outermost pixels in the outline.
void DrawOutlinedRect(TSurface& s, const TRect& r, uint32_t outline, uint32_t fill);
// The triangle through three points, filled, with its edges drawn in the outline.
void DrawOutlinedTriangle(TSurface& s, TPoint a, TPoint b, TPoint c, uint32_t outline,
                          uint32_t fill);
