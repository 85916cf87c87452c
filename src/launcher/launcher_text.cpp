#include "launcher/launcher_text.h"

#include "game/bitmap_font.h"
#include "game/screen_text.h"
#include "platform/system_font.h"

namespace {
constexpr int32_t kPoints = 9;
}

TLauncherText::TLauncherText()
    : regular_(SystemFont("Liberation Sans", kPoints, false)),
      bold_(SystemFont("Liberation Sans", kPoints, true)) {
  if (!bold_) bold_ = regular_;
  if (!regular_) fallback_ = GameFont();
}

int32_t TLauncherText::Width(const std::string& text, bool bold) const {
  if (regular_) return (bold ? bold_ : regular_)->TextWidth(text);
  return fallback_ ? fallback_->TextWidth(text) : 0;
}

int32_t TLauncherText::Height() const {
  if (regular_) return regular_->Height();
  return fallback_ ? fallback_->GlyphHeight : 0;
}

void TLauncherText::Draw(TSurface& dest, int32_t x, int32_t y, const std::string& text,
                         uint32_t colour, bool bold) const {
  if (regular_)
    (bold ? bold_ : regular_)->Draw(dest, x, y, text, colour);
  else if (fallback_)
    fallback_->DrawString(dest, x, y, text);
}
