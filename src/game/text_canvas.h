#pragma once
#include <cstdint>
#include <string>

class ISystemFont;
class TSurface;

// Lines of text in a system font on a drawing surface, with a transparent background. Text is
// given in Windows-1252 bytes (names as typed). Where the system has no such font, the game's
// bitmap font stands in (in its own colours).
class TTextCanvas {
 public:
  TTextCanvas(TSurface& surface, const std::string& fontName, int32_t points, bool bold);

  int32_t TextWidth(const std::string& text);
  // Draws with the line's top-left corner at (x, y); colour is 0x00BBGGRR.
  void TextOut(int32_t x, int32_t y, const std::string& text, uint32_t colour);
  bool HasSystemFont() const { return font_ != nullptr; }

 private:
  TSurface& surface_;
  ISystemFont* font_;
};
