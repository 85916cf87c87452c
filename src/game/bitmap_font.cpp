#include "game/bitmap_font.h"

#include "media/image_item.h"

std::unique_ptr<TBitmapFont> BitmapFont;

// Digits, upper case, lower case, then . , : ! ? - $ / \ ( ) ' side by side in the strip.
const std::array<TGlyph, 90> FontGlyphs = {{
    {853, 6},  {0, 0},    {0, 0},    {883, 12}, {0, 0},    {0, 0},     // ! " # $ % &
    {931, 4},  {915, 8},  {923, 8},  {0, 0},    {0, 0},    {842, 5},   // ' ( ) * + ,
    {871, 12}, {837, 5},  {895, 10}, {0, 12},   {12, 12},  {24, 12},   // - . / 0 1 2
    {36, 12},  {48, 12},  {60, 12},  {72, 12},  {84, 12},  {96, 12},   // 3 4 5 6 7 8
    {108, 12}, {847, 6},  {0, 0},    {0, 0},    {0, 0},    {0, 0},     // 9 : ; < = >
    {859, 12}, {0, 0},    {120, 14}, {134, 14}, {148, 14}, {162, 14},  // ? @ A B C D
    {176, 12}, {188, 11}, {199, 14}, {213, 14}, {227, 6},  {233, 11},  // E F G H I J
    {244, 14}, {258, 12}, {270, 22}, {292, 14}, {306, 14}, {320, 14},  // K L M N O P
    {334, 14}, {348, 15}, {363, 14}, {377, 12}, {389, 14}, {403, 14},  // Q R S T U V
    {417, 22}, {439, 14}, {453, 14}, {467, 14}, {0, 0},    {905, 10},  // W X Y Z [ backslash
    {0, 0},    {0, 0},    {0, 0},    {0, 0},    {481, 14}, {495, 14},  // ] ^ _ ` a b
    {509, 14}, {523, 14}, {537, 14}, {551, 10}, {561, 14}, {575, 14},  // c d e f g h
    {589, 7},  {596, 10}, {606, 14}, {620, 7},  {627, 22}, {649, 14},  // i j k l m n
    {663, 14}, {677, 14}, {691, 14}, {705, 12}, {717, 14}, {731, 14},  // o p q r s t
    {745, 14}, {759, 14}, {773, 22}, {795, 14}, {809, 14}, {823, 14},  // u v w x y z
}};

namespace {

const TGlyph* GlyphOf(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c < 33 || c > 122) return nullptr;
  const TGlyph& g = FontGlyphs[c - 33];
  return g.Width ? &g : nullptr;
}

}  // namespace

TBitmapFont::TBitmapFont(TPictureCollectionItem* strip, uint16_t spaceWidth)
    : SpaceWidth(spaceWidth), strip_(strip) {
  if (strip_ && strip_->Height() > 0) GlyphHeight = static_cast<uint16_t>(strip_->Height());
}

int32_t TBitmapFont::TextWidth(const std::string& text) const {
  int32_t w = 0;
  for (char ch : text) {
    if (ch == ' ')
      w += SpaceWidth;
    else if (const TGlyph* g = GlyphOf(ch))
      w += g->Width;
  }
  return w;
}

void TBitmapFont::DrawString(TSurface& dest, int32_t x, int32_t y, const std::string& text) const {
  if (!strip_ || strip_->PatternCount() < 1) return;
  const TSurface& src = strip_->SurfaceIn(dest.Format());
  int32_t pen = x;
  for (char ch : text) {
    if (ch == ' ') {
      pen += SpaceWidth;
      continue;
    }
    const TGlyph* g = GlyphOf(ch);
    if (!g) continue;
    dest.CopyFromKeyed(pen, y, src, {g->X, 0, g->X + g->Width, GlyphHeight}, strip_->KeyPixel());
    pen += g->Width;
  }
}

void TBitmapFont::DrawStringCentred(TSurface& dest, int32_t displayWidth, int32_t y,
                                    const std::string& text) const {
  DrawString(dest, (displayWidth - TextWidth(text)) / 2, y, text);
}
