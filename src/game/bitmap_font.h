#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TPictureCollectionItem;
class TSurface;

// Where a character's glyph lies in the font strip: left column and width (0 = no glyph).
struct TGlyph {
  uint16_t X = 0, Width = 0;
};
// The glyphs of the characters 33 to 122, in code order.
extern const std::array<TGlyph, 90> FontGlyphs;

// The game's bitmap font: glyphs cut from one strip picture ("Fnt1"), copied with the strip's
// colour key. One line per call, never wrapped; characters without a glyph are skipped.
class TBitmapFont {
 public:
  // strip may be null for a font that only measures.
  explicit TBitmapFont(TPictureCollectionItem* strip, uint16_t spaceWidth = 10);

  int32_t TextWidth(const std::string& text) const;
  // Draws with the top-left corner of the first glyph at (x, y), clipped to dest.
  void DrawString(TSurface& dest, int32_t x, int32_t y, const std::string& text) const;
  // Draws the line centred on a display of displayWidth pixels.
  void DrawStringCentred(TSurface& dest, int32_t displayWidth, int32_t y,
                         const std::string& text) const;

  uint16_t GlyphHeight = 19;
  uint16_t SpaceWidth = 10;

 private:
  TPictureCollectionItem* strip_;
};

// The game's one bitmap font, made with the title menu (null before).
extern std::unique_ptr<TBitmapFont> BitmapFont;
