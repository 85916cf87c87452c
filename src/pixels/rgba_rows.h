#pragma once
#include <cstdint>

#include "pixels/rect.h"
#include "pixels/surface.h"

// The picture's pixels as the browser's canvas takes them: four bytes a pixel, red, green, blue
// and alpha (always 255). Channels narrower than 8 bits are widened by repeating their top bits,
// so white stays 255 and black 0.
//
// Writes the rectangle r of pic (clipped to it) into rgba, a buffer laid out as the whole picture
// with rgbaPitch bytes a row; the rest of the buffer is left as it was.
void CopyToRgba(const TSurface& pic, const TRect& r, uint8_t* rgba, int rgbaPitch);

// As CopyToRgba, but rgba holds the picture as last shown and only the pixels that differ from it
// are written. Returns the smallest rectangle holding every pixel that changed (empty for none).
TRect CopyChangedToRgba(const TSurface& pic, const TRect& r, uint8_t* rgba, int rgbaPitch);
