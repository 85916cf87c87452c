// The status line along the bottom of the play picture.
#include <array>

#include "actors/dragon.h"
#include "core/globals.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "media/image_item.h"

namespace {

constexpr int32_t HudTop = 440;
constexpr int32_t HudHeight = 40;

TPictureCollectionItem& Picture(const char* name) {
  return MainForm->ImageList.Find(name);
}

// The heart as drawn: -2 empty (no lives left), -1 full, else the rows cut away from its top.
int32_t LifeCut() {
  if (G.Lives == 0) return -2;
  const int32_t energy = Dragon ? Dragon->Energy : 0;
  return energy > 92 ? -1 : (100 - energy) * 25 / 100;
}

// The heart empties from the top as the energy falls from 92 to 0.
void DrawLifeIcon() {
  const int32_t x = 130;
  const int32_t cut = LifeCut();
  if (cut == -2) {
    DrawHudIcon(x, "HeartEmpty");
    return;
  }
  if (cut == -1) {
    DrawHudIcon(x, "Life");
    return;
  }
  DrawHudIcon(x, "HeartEmpty");
  TPictureCollectionItem& life = Picture("Life");
  const int32_t top = HudTop + (HudHeight - life.Height()) / 2;
  TSurface& screen = MainForm->DXDraw.Surface();
  screen.CopyFromKeyed(x, top + cut, life.SurfaceIn(screen.Format()),
                       {0, cut, life.Width(), life.Height()}, life.KeyPixel());
}

}  // namespace

void DrawHudIcon(int32_t x, const char* name) {
  TPictureCollectionItem& item = Picture(name);
  item.Draw(MainForm->DXDraw.Surface(), x, HudTop + (HudHeight - item.Height()) / 2, 0);
}

void DrawNumber(int32_t value, int32_t digits, int32_t x) {
  TPictureCollectionItem& numz = Picture("Numz");
  const int32_t top = HudTop + (HudHeight - numz.Height()) / 2;
  const int32_t w = numz.Width();
  for (int32_t i = digits - 1; i >= 0; --i) {
    numz.Draw(MainForm->DXDraw.Surface(), x + i * w, top, value % 10);
    value /= 10;
  }
}

void DrawHud() {
  // Kept on the display from the last frame while it shows the same.
  TDXDraw& display = MainForm->DXDraw;
  const std::array<int32_t, 5> shown{G.LevelNo, LifeCut(), G.Lives, G.TimeLeft, G.Score};
  if (display.BeginKept(shown)) return;
  struct TEnd {
    TDXDraw& D;
    ~TEnd() { D.EndKept(); }
  } end{display};
  DrawHudIcon(10, "Level");
  DrawLifeIcon();
  DrawHudIcon(250, "Time");
  DrawHudIcon(400, "Score");
  DrawNumber(G.LevelNo, 2, 50);
  DrawNumber(G.Lives, 1, 170);
  DrawNumber(G.TimeLeft, G.TimeLeft >= 100 ? 3 : 2, 290);
  DrawNumber(G.Score, 6, 440);
}
