#pragma once
#include <cstdint>
#include <string>

#include "pixels/rect.h"

class TBitmapFont;
class TSurface;

// Drawing the playfield and the screens share, on the game window's display (each does nothing
// without one).

// The display's drawing surface; null without a game window.
TSurface* ScreenSurface();
// The bitmap font, made from the catalogue's "Fnt1" the first time it is needed.
TBitmapFont* GameFont();
// Red, green and blue as a pixel of the display's surface.
uint32_t ScreenColor(uint8_t r, uint8_t g, uint8_t b);

int32_t TextWidth(const std::string& text);
void DrawString(int32_t x, int32_t y, const std::string& text);
// A framed panel of w x h centred on the 640 x 480 screen: a dark blue border two pixels wide,
// a light blue inside and a dark blue hairline one pixel inside the light area.
void DrawPanel(int32_t w, int32_t h);
// Pattern 0 of a catalogue picture with its top-left corner at (x, y), with its transparency.
void DrawImageAt(int32_t x, int32_t y, const std::string& name);
// Samples the mouse pointer into PointerPos and draws the "Cursor" picture there when the
// pointer is on the picture; the two halves:
void DrawSoftCursor();
void FollowPointer();
void DrawPointer();
// PointerPos lies in r, all four edges included (r.Right and r.Bottom count as inside).
bool PointerInRect(const TRect& r);

// The bitmap font on the display's drawing surface, and a line in a system font.
void DrawPressAnyKey(int32_t y);
void DrawStringCentred(int32_t y, const std::string& text);
void DrawFrameCounter();
// A centred line in a system font with a drop shadow; colour is 0x00BBGGRR.
void DrawShadowText(const std::string& text, const std::string& fontName, int32_t size, int32_t y,
                    uint32_t colour);
