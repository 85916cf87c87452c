#include "tools/bot/curve_picture.h"

#include <algorithm>
#include <cmath>

#include "game/bitmap_font.h"
#include "game/screen_text.h"
#include "media/png_writer.h"
#include "pixels/surface.h"
#include "session/game_session.h"

namespace {

constexpr int32_t Width = 640;
// The plot's frame inside the picture.
constexpr int32_t Left = 70, Right = 620, Top = 70, Bottom = 340;

// The game's interface colours (hex RGB): the panels' blues, the sprites' navy outline, the
// font strip's cream, and a colour a profile each (hearts' red, gold, the highlighted button's
// green) that stand apart on blue.
constexpr uint32_t PanelDark = 0x0472BC, PanelLight = 0x04BEF4, Deep = 0x1F5FA8;
constexpr uint32_t Navy = 0x1A2433, Cream = 0xFFF3D6;
constexpr uint32_t ProfileColours[] = {0xEC3B55, 0xFFCC33, 0x6CD05A};

class TPlot {
 public:
  explicit TPlot(TSurface& s) : s_(s) {}
  uint32_t Pixel(uint32_t rgb) const {
    return ToSurfaceColor(s_.Format(), static_cast<uint8_t>(rgb >> 16),
                          static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
  }
  void Box(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t rgb) {
    s_.FillRect({x0, y0, x1, y1}, Pixel(rgb));
  }
  // A line of square dots of the given size; dash (0 = solid) counts pixels on and off.
  void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t size, uint32_t rgb,
            int32_t dash = 0) {
    const int32_t steps = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
    for (int32_t i = 0; i <= steps; ++i) {
      if (dash > 0 && (i / dash) % 2 == 1) continue;
      const int32_t x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
      Box(x - size / 2, y - size / 2, x - size / 2 + size, y - size / 2 + size, rgb);
    }
  }

 private:
  TSurface& s_;
};

int32_t LevelX(int32_t level, int32_t levels) {
  if (levels <= 1) return (Left + Right) / 2;
  return Left + 20 + (Right - Left - 40) * (level - 1) / (levels - 1);
}
int32_t RateY(double rate) {
  return Bottom - static_cast<int32_t>(std::lround((Bottom - Top) * std::clamp(rate, 0.0, 1.0)));
}

}  // namespace

std::string WriteCurvePicture(const std::vector<TCurveLine>& lines, int32_t levels,
                              const std::string& title, const std::string& gameFolder,
                              const std::string& fileName) {
  TSessionOptions so;
  so.Data = gameFolder;
  so.Offscreen = true;
  TGameSession session(so);  // the game's pictures, for its font
  const TBitmapFont* font = GameFont();
  auto textWidth = [&](const std::string& t) { return font ? font->TextWidth(t) : 0; };
  // The legend's rows decide the picture's height.
  auto legendWidth = [&](const TCurveLine& line) { return 40 + textWidth(line.Label) + 24; };
  int32_t rows = 1;
  for (int32_t i = 0, x = Left; i < static_cast<int32_t>(lines.size()); ++i) {
    const int32_t w = legendWidth(lines[static_cast<size_t>(i)]);
    if (x + w > Right + 10 && x > Left) x = Left, ++rows;
    x += w;
  }
  const int32_t Height = Bottom + 52 + 22 * rows + 10;
  TSurface s(Width, Height, session.Picture().Format());
  TPlot p(s);
  auto text = [&](int32_t x, int32_t y, const std::string& t) {
    if (font) font->DrawString(s, x, y, t);
  };

  p.Box(0, 0, Width, Height, PanelDark);
  p.Box(2, 2, Width - 2, Height - 2, PanelLight);
  p.Box(4, 4, Width - 4, Height - 4, PanelDark);
  p.Box(Left, Top, Right, Bottom, Deep);
  text((Width - textWidth(title)) / 2, 12, title);
  // Win rate every 25 %, and the levels.
  for (int32_t pc = 0; pc <= 100; pc += 25) {
    const int32_t y = RateY(pc / 100.0);
    p.Line(Left, y, Right, y, 1, pc == 0 ? Cream : PanelLight, pc == 0 ? 0 : 4);
    const std::string label = std::to_string(pc);
    text(Left - 8 - textWidth(label), y - 10, label);
  }
  p.Line(Left, Top, Left, Bottom, 2, Cream);
  text(10, Top - 34, "per cent won");  // the font has no per cent sign
  for (int32_t level = 1; level <= levels; ++level) {
    const int32_t x = LevelX(level, levels);
    p.Line(x, Bottom, x, Bottom + 5, 1, Cream);
    const std::string label = std::to_string(level);
    text(x - textWidth(label) / 2, Bottom + 8, label);
  }
  const std::string axis = "level";
  text((Left + Right - textWidth(axis)) / 2, Bottom + 28, axis);
  // The lines: a navy rim under the colour, as every sprite has.
  for (int32_t pass = 0; pass < 2; ++pass) {
    for (const TCurveLine& line : lines) {
      const uint32_t colour = pass == 0 ? Navy : ProfileColours[std::clamp(line.Profile, 0, 2)];
      const int32_t dash = line.Difficulty == 2 ? 0 : line.Difficulty == 1 ? 10 : 4;
      const int32_t width = pass == 0 ? 6 : 3;
      int32_t lastX = -1, lastY = -1;
      for (int32_t level = 1; level <= levels && level <= static_cast<int32_t>(line.Rates.size());
           ++level) {
        const double rate = line.Rates[static_cast<size_t>(level - 1)];
        if (rate < 0) {
          lastX = -1;
          continue;
        }
        const int32_t x = LevelX(level, levels), y = RateY(rate);
        if (lastX >= 0) p.Line(lastX, lastY, x, y, width, colour, pass == 0 ? 0 : dash);
        const int32_t dot = pass == 0 ? 10 : 6;
        p.Box(x - dot / 2, y - dot / 2, x - dot / 2 + dot, y - dot / 2 + dot, colour);
        lastX = x, lastY = y;
      }
    }
  }
  // The legend, under the plot: a stroke of each line and its name.
  int32_t x = Left, y = Bottom + 52;
  for (const TCurveLine& line : lines) {
    const int32_t w = legendWidth(line);
    if (x + w > Right + 10 && x > Left) x = Left, y += 22;
    const uint32_t colour = ProfileColours[std::clamp(line.Profile, 0, 2)];
    const int32_t dash = line.Difficulty == 2 ? 0 : line.Difficulty == 1 ? 10 : 4;
    p.Line(x, y + 9, x + 30, y + 9, 6, Navy);
    p.Line(x, y + 9, x + 30, y + 9, 3, colour, dash);
    text(x + 38, y, line.Label);
    x += w;
  }
  if (!WritePng(s, fileName)) return fileName + ": cannot write the picture";
  return "";
}
