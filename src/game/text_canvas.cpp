#include "game/text_canvas.h"

#include "game/bitmap_font.h"
#include "game/cp1252.h"
#include "game/screen_text.h"
#include "platform/system_font.h"

TTextCanvas::TTextCanvas(TSurface& surface, const std::string& fontName, int32_t points, bool bold)
    : surface_(surface), font_(SystemFont(fontName, points, bold)) {}

int32_t TTextCanvas::TextWidth(const std::string& text) {
  if (font_) return font_->TextWidth(Utf8FromCp1252(text));
  const TBitmapFont* f = GameFont();
  return f ? f->TextWidth(text) : 0;
}

void TTextCanvas::TextOut(int32_t x, int32_t y, const std::string& text, uint32_t colour) {
  if (font_) {
    font_->Draw(surface_, x, y, Utf8FromCp1252(text), colour);
  } else if (const TBitmapFont* f = GameFont()) {
    f->DrawString(surface_, x, y, text);
  }
}
