// The picture of a level: water, pads, the actors, hints and captions, the status line.
#include "game/playfield.h"

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "game/main_form.h"
#include "game/pond_layer.h"
#include "game/rules.h"
#include "game/screen_text.h"
#include "media/image_item.h"
#include "media/jpeg_loader.h"

namespace {

TSurface& Screen() {
  return MainForm->DXDraw.Surface();
}

TPictureCollectionItem& Picture(const char* name) {
  return MainForm->ImageList.Find(name);
}

bool picturesOn = true;

bool KeysHintShown() {
  return G.LevelNo == 1 && G.SecondsElapsed < 3 && G.MaxLevel < 3 &&
         (G.GameState == gsPlaying || G.GameState == gsPaused || G.GameState == gsExitPrompt);
}

}  // namespace

uint32_t ToSurfaceColor(uint8_t r, uint8_t g, uint8_t b) {
  return ToSurfaceColor(MainForm->DXDraw.PixelFormat(), r, g, b);
}

const TSurface* WaterPicture() {
  if (!G.WaterLoaded) return nullptr;
  return &Picture(G.LevelTicks % 800 >= 400 ? "Water2" : "Water1").SurfaceIn(Screen().Format());
}

void DrawWater() {
  if (const TSurface* water = WaterPicture()) {
    // Laid as the display's background: the water is copied back only where the last frame
    // drew, while it shows the same picture.
    MainForm->DXDraw.DrawBackground(*water);
  } else {
    MainForm->DXDraw.FillBackground(ToSurfaceColor(70, 177, 221));
  }
}

void DrawPads(int32_t x, int32_t y) {
  DrawPadLook(Screen(), LookOfPad(TPadPictures{}, x, y));
}

void DrawAllPads() {
  const TPadPictures pictures;
  for (int32_t x = 1; x <= G.GridCols; ++x)
    for (int32_t y = 1; y <= G.GridRows; ++y) DrawPadLook(Screen(), LookOfPad(pictures, x, y));
}

namespace {

TPondLayer pond;

// The water and the pads: with partial drawing, the pond kept as one picture is laid as the
// display's background, so only what moved since the last frame is drawn again.
void DrawPond() {
  TDXDraw& display = MainForm->DXDraw;
  const TSurface* water = nullptr;
  if (G.WaterLoaded) {
    water = &Picture(G.LevelTicks % 800 >= 400 ? "Water2" : "Water1").SurfaceIn(Screen().Format());
    if (water->Width() < 640 || water->Height() < 480) water = nullptr;
  }
  if (!display.PartialDrawing() || (G.WaterLoaded && !water)) {
    DrawWater();
    DrawAllPads();
    return;
  }
  const TSurface& picture =
      pond.Update(water, ToSurfaceColor(70, 177, 221), Screen().Format(), display.Generation());
  display.DrawBackground(picture, &pond.Changed());
}

}  // namespace

void DrawCentred(const char* name) {
  TPictureCollectionItem& item = Picture(name);
  item.Draw(Screen(), (640 - item.Width()) / 2, (440 - item.Height()) / 2, 0);
}

void SetPlayfieldPictures(bool on) {
  picturesOn = on;
}

void DrawPlayfield() {
  if (!MainForm || !MainForm->DXDraw.CanDraw()) return;
  if (picturesOn) DrawPond();
  if (G.DiamondDelay != 0 && G.SecondsElapsed >= G.DiamondDelay) PlaceDiamond();

  SpriteEngine.Move(G.LagCount);
  SpriteEngine.SweepDead();
  if (picturesOn) SpriteEngine.Draw();

  if (picturesOn && KeysHintShown()) {
    TPictureCollectionItem& keys = Picture("Keys");
    BlendImage(Screen(), 262, 335, keys, {0, 0, keys.Width() - 1, keys.Height() - 1},
               255 - 70 * G.SecondsElapsed);
  }
  if (picturesOn) DrawFrameCounter();
  // The death, the zooming caption, the score pop-ups and the falling caption move on as they
  // are drawn, so they run with the pictures off too.
  // The death may end by building the level again, which draws a whole picture of its own and
  // replaces the Dragon: the old one is not touched after this call.
  if (G.GameState == gsDying && Dragon) Dragon->DrawDeath();
  if (G.GameState == gsTransition) {
    DrawTransitionStep();
    if (TransitionFinished()) {
      if (G.Lives == 0)
        CheckHighScore();
      else if (!(TransitionInterrupted(gsLevelDone) && G.LevelNo >= G.LevelCount))
        DrawPressAnyKey(400);
    }
  }
  DrawScorePopups();
  if (picturesOn) DrawHud();
  DrawFallingCaption();
  if (!picturesOn) return;
  if (G.GameState == gsPaused) DrawCentred("Pause");
  if (G.GameState == gsExitPrompt) DrawStringCentred(220, "Exit to menu? (Y/N)");
  if (G.DemoMode) DrawStringCentred(420, "Press any key to exit");
  // The display shows one drawing surface, so a still picture needs no copy between pages.
  MainForm->DXDraw.Flip();
}

bool LoadWaterPictures(TDXImageList& imageList, const std::string& packPath) {
  TJPEGLoader loader;
  bool first = false;
  try {
    loader.Open(packPath);
    first = loader.Load(0, "Water1", imageList);
    if (first) loader.Load(1, "Water2", imageList);
  } catch (...) {
    // A missing or damaged pack leaves the water a plain colour.
  }
  loader.Close();
  if (first) {
    G.WaterLoaded = true;
    for (const char* name : {"Water1", "Water2", "LevScr", "LevScr0"})
      if (auto* item = imageList.TryFind(name)) item->Restore();
  }
  return G.WaterLoaded;
}

bool LoadWaterPictures(TDXImageList& imageList) {
  return LoadWaterPictures(imageList, G.ProgramFolder + "TvFree.dat");
}
