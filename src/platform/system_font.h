#pragma once
#include <cstdint>
#include <string>

#include "pixels/surface.h"

// A font of the system, drawn onto the game's software surfaces with hard edges: every pixel of
// a glyph is either the text's colour or left as it was, at any pixel depth.
class ISystemFont {
 public:
  virtual ~ISystemFont() = default;
  // Width of a line of UTF-8 text in pixels.
  virtual int32_t TextWidth(const std::string& utf8) = 0;
  // Line height in pixels.
  virtual int32_t Height() = 0;
  // Draws a line with its top-left corner at (x, y), clipped; colour is 0x00BBGGRR.
  virtual void Draw(TSurface& dest, int32_t x, int32_t y, const std::string& utf8,
                    uint32_t colour) = 0;
};

// The font that stands for `family` ("Arial" is served by Liberation Sans, which has its
// metrics) at `points` points at 96 pixels per inch. Found through fontconfig, else in Debian's
// font folders (on Windows: fonts/ beside the program, else Arial); null when no font file can
// be had. Each font is opened once and kept.
ISystemFont* SystemFont(const std::string& family, int32_t points, bool bold);

// Turns the system fonts off (SystemFont then answers null) or back on; for tests of the
// bitmap-font fallback.
void DisableSystemFonts(bool off);
