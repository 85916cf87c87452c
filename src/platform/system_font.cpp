#include "platform/system_font.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <memory>
#include <tuple>

#include "platform/font_file.h"
#include "platform/sdl_handles.h"

namespace {

struct TTtfDeleter {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
using TTtfFont = std::unique_ptr<TTF_Font, TTtfDeleter>;

class TTtfSystemFont : public ISystemFont {
 public:
  explicit TTtfSystemFont(TTtfFont font) : font_(std::move(font)) {}

  int32_t TextWidth(const std::string& utf8) override {
    int w = 0, h = 0;
    if (utf8.empty() || TTF_SizeUTF8(font_.get(), utf8.c_str(), &w, &h) != 0) return 0;
    return w;
  }

  int32_t Height() override { return TTF_FontHeight(font_.get()); }

  void Draw(TSurface& dest, int32_t x, int32_t y, const std::string& utf8,
            uint32_t colour) override {
    if (utf8.empty()) return;
    // A solid rendering has one palette entry for the background (0) and the rest for ink.
    TSdlSurface s(TTF_RenderUTF8_Solid(font_.get(), utf8.c_str(), SDL_Color{255, 255, 255, 255}));
    if (!s || s->format->BytesPerPixel != 1) return;
    const uint32_t pixel = ColorToPixel(dest.Format(), colour);
    dest.Touch(Bounds(x, y, s->w, s->h));  // one rectangle for the text, not one a pixel
    for (int row = 0; row < s->h; ++row) {
      const auto* src = static_cast<const uint8_t*>(s->pixels) + row * s->pitch;
      for (int col = 0; col < s->w; ++col)
        if (src[col] != 0) dest.SetPixel(x + col, y + row, pixel);
    }
  }

 private:
  TTtfFont font_;
};

// The font library, open for the rest of the run once a font was asked for.
struct TFontLibrary {
  bool Ok = TTF_Init() == 0;
  std::map<std::tuple<std::string, int32_t, bool>, std::unique_ptr<ISystemFont>> Fonts;
  ~TFontLibrary() {
    Fonts.clear();
    if (Ok) TTF_Quit();
    ReleaseFontFinder();
  }
};

bool disabled = false;

}  // namespace

ISystemFont* SystemFont(const std::string& family, int32_t points, bool bold) {
  if (disabled) return nullptr;
  static TFontLibrary library;
  if (!library.Ok) return nullptr;
  const auto key = std::make_tuple(family, points, bold);
  const auto it = library.Fonts.find(key);
  if (it != library.Fonts.end()) return it->second.get();
  std::unique_ptr<ISystemFont>& slot = library.Fonts[key];
  const std::string file = FindFontFile(family, bold);
  TTtfFont font(file.empty() ? nullptr : TTF_OpenFontDPI(file.c_str(), points, 96, 96));
  if (font) {
    TTF_SetFontHinting(font.get(), TTF_HINTING_MONO);
    slot = std::make_unique<TTtfSystemFont>(std::move(font));
  } else {
    std::fprintf(stderr, "Tarvelle: no font for \"%s\" %d pt; using the game's own letters\n",
                 family.c_str(), points);
  }
  return slot.get();
}

void DisableSystemFonts(bool off) {
  disabled = off;
}
