#pragma once
#include <cstdint>

#include "pixels/simd_level.h"  // the level the routines below use
#include "pixels/surface.h"

// The game's own pixel drawing on software surfaces. Both surfaces share one pixel format;
// a key is a pixel value of that format, compared with the low 24 bits on 24- and 32-bit
// surfaces. Everything is clipped to the destination.

// Copies srcRect of src scaled (nearest neighbour) into dstRect; with `transparent`, source
// pixels equal to key are skipped.
void StretchDraw(TSurface& dst, const TRect& dstRect, const TSurface& src, const TRect& srcRect,
                 bool transparent, uint32_t key);

// Draws srcRect of src scaled to width x height and turned by angle (units of 1/256 turn,
// positive clockwise on screen, taken modulo 256) about the point (cx * width, cy * height) of
// the scaled picture, which lands on (x, y). opacity <= 0 draws nothing, >= 255 draws opaque,
// values between blend with the destination.
void RotateDraw(TSurface& dst, int x, int y, int width, int height, const TSurface& src,
                const TRect& srcRect, double cx, double cy, int angle, bool transparent,
                uint32_t key, int opacity = 255);

// cos and sin of angle units of 1/256 turn (taken modulo 256), from a table of 256 cosines
// cos(2 pi i / 256) filled once.
double Cos256(int angle);
double Sin256(int angle);

// Draws the inclusive source rectangle (right and bottom are the last column and row drawn) of
// source onto dest at (x, y), mixing with weight level/256 (level limited to 256, <= 0 draws
// nothing); destination pixels stay unchanged where the source pixel equals key.
void BlendImage(TSurface& dest, int x, int y, const TSurface& source, TRect srcRect, uint32_t key,
                int level);
