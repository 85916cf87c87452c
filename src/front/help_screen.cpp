#include "front/help_screen.h"

#include "actors/show_picture.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "front/screen_calls.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "game/screen_text.h"

std::unique_ptr<THelp> Help;

namespace {

struct TPicture {
  const char* Name;
  int32_t X, Y;
  double Fps;
};
struct TLine {
  int32_t X, Y;  // x < 0: centred
  const char* Text;
};

constexpr TPicture kPictures1[] = {{"DragonR", 30, 60, 2},
                                   {"Monster1L", 140, 425, 2},
                                   {"Monster2L", 320, 425, 2},
                                   {"Monster3L", 500, 425, 2}};
constexpr TPicture kPictures2[] = {{"Prize", 30, 110, 15},    {"Pulse", 30, 170, 5},
                                   {"SandClock", 30, 230, 5}, {"MegaPrize", 30, 290, 5},
                                   {"ArrowUp", 30, 340, 5},   {"Stars", 30, 410, 5}};

constexpr TLine kLines1[] = {
    {60, 45, "Each level you play a little Dragon."},
    {5, 85, "To finish a level you must catch a big diamond."},
    {5, 120, "The Dragon can jump on small islands and lily pads."},
    {5, 145, "He sinks if he jumps into the water."},
    {5, 185, "The Dragon is always hungry and his energy"},
    {5, 210, "decreases each second. If he does not eat enough"},
    {5, 235, "food for the long time, he dies. Each eaten food"},
    {5, 260, "adds a portion of energy to the Dragon."},
    {5, 300, "Keep in mind that your time is limited."},
    {5, 325, "Avoid evil monsters who want to eat you."},
};
constexpr TLine kLines2[] = {
    {-1, 45, "Pick up some items to make your journey easy:"},
    {60, 85, "Catch it to proceed to the next level"},
    {60, 145, "Gives you one extra life"},
    {60, 205, "Increases your time by 5 seconds"},
    {60, 265, "Food appears on the each island and lily pad"},
    {60, 315, "All visible lily pads start to grow up"},
    {60, 375, "Transforms some lily pads to islands"},
};

}  // namespace

void OpenHelp(int32_t page) {
  if (Help) Help->Open(page);
}

void THelp::Open(int32_t page) {
  Page = page;
  G.GameState = gsHelp;
  ClearAllSprites();
  if (!MainForm) return;
  if (Page == 1)
    for (const TPicture& p : kPictures1)
      ShowPicture(SpriteRoot(), MainForm->ImageList, p.X, p.Y, p.Name, p.Fps);
  else
    for (const TPicture& p : kPictures2)
      ShowPicture(SpriteRoot(), MainForm->ImageList, p.X, p.Y, p.Name, p.Fps);
}

void THelp::Key(int32_t k) {
  if (k != 27 && Page < 2) {
    Open(Page + 1);
    return;
  }
  ClearAllSprites();
  G.GameState = gsMenu;
}

void THelp::Draw() {
  if (!MainForm) return;
  DrawWater();
  DrawStringCentred(5, "Tarvelle Help");
  auto drawLines = [](const auto& lines) {
    for (const TLine& l : lines)
      if (l.X < 0)
        DrawStringCentred(l.Y, l.Text);
      else
        DrawString(l.X, l.Y, l.Text);
  };
  if (Page == 1)
    drawLines(kLines1);
  else
    drawLines(kLines2);
  DrawString(525, 455, "Page " + std::to_string(Page) + "/2");
  MainForm->SpriteEngine.Move(G.LagCount);
  MainForm->SpriteEngine.SweepDead();
  MainForm->SpriteEngine.Draw();
  if (Page == 2)
    DrawStringCentred(440, "Press any key to exit to Menu");
  else
    DrawPressAnyKey(440);
  DrawFrameCounter();
  MainForm->DXDraw.Flip();
}

void HelpFrame() {
  if (Help) Help->Draw();
}

void HelpKey(int32_t key) {
  if (Help) Help->Key(key);
}
