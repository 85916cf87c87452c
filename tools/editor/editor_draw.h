#pragma once
#include <cstdint>
#include <string>

#include "pixels/rect.h"
#include "pixels/surface.h"

// Small drawing helpers of the editor window, colours as 0xRRGGBB.
namespace editor_draw {

void Fill(TSurface& s, const TRect& r, uint32_t rgb);
void Frame(TSurface& s, const TRect& r, uint32_t rgb, int32_t width = 1);
// A button in the game's look: a rounded pill, blue, or green with a cream ring when on.
void Button(TSurface& s, const TRect& r, bool on);
// A line of text in the interface font; returns its width.
int32_t Text(TSurface& s, int32_t x, int32_t y, const std::string& text, uint32_t rgb);
int32_t TextWidth(TSurface& s, const std::string& text);
// Text centred in a rectangle.
void TextIn(TSurface& s, const TRect& r, const std::string& text, uint32_t rgb);

// The interface's colours (docs/art-style.md).
constexpr uint32_t PanelBlue = 0x0472BC, LightBlue = 0x04BEF4, Navy = 0x1A2433, Cream = 0xFFF3D6,
                   Ring = 0xFFF3B0, Gold = 0xFFCC33, Heart = 0xEC3B55, Water = 0x46B1DD,
                   Lily = 0x3FA34D, Sand = 0xE3C277, Worn = 0xA3A540;

}  // namespace editor_draw
