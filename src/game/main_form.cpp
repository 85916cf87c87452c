#include "game/main_form.h"

#include "core/globals.h"
#include "core/settings.h"
#include "core/sound.h"
#include "game/bitmap_font.h"
#include "game/replay_recorder.h"
#include "game/screens.h"
#include "media/image_catalogue.h"
#include "platform/clock.h"
#include "platform/keyboard_repeat.h"
#include "platform/video.h"

TGameWindow* MainForm = nullptr;

TGameWindow::TGameWindow(IVideoOutput* output) : DXDraw(output), output_(output) {
  MainForm = this;
  DXDraw.OnInitialize = [this] { DXDrawInitialize(); };
  DXDraw.OnFinalize = [this] { DXDrawFinalize(); };
  DXDraw.OnRestoreSurface = [this] { DXDrawRestoreSurface(); };
  DXTimer1.ActiveOnly = true;
  DXTimer1.Interval = 0;
  DXTimer1.OnTimer = [this](int32_t lag) { DXTimer1Timer(lag); };
  DXTimer1.OnActivate = [this] { DXTimer1Activate(); };
  DXTimer1.OnDeactivate = [this] { DXTimer1Deactivate(); };
}

TGameWindow::~TGameWindow() {
  FormDestroy();
  // The font draws from this window's catalogue: a later window makes its own.
  BitmapFont.reset();
  if (MainForm == this) MainForm = nullptr;
}

void TGameWindow::FormCreate() {
  LoadGameImages(ImageList, FoodImg);
  MirrorSprites(ImageList);
  // The window itself is 640 x 480 and captioned "Tarvelle" when the display opens it.
}

void TGameWindow::FormDestroy() {}

bool TGameWindow::FormCloseQuery() {
  if (!G.Quitting) QuitGame();
  return true;
}

void TGameWindow::FormClose() {
  if (closed_) return;
  closed_ = true;
  FinishRecording();
  SaveMaxLevel();
  RestoreKeyboard();
  DXDraw.Finalize();
}

void TGameWindow::QuitGame() {
  DXTimer1.SetEnabled(false);
  SaveSettings();
  MusicPlayer.Shutdown();
  G.Quitting = true;
  // Closing the game window ends the program.
  if (FormCloseQuery()) FormClose();
}

void UpdateClock() {
  const int32_t now = game_clock::Now();
  // The millisecond clock wraps after 49.7 days: differences are taken modulo 2^32.
  G.FrameDelta =
      static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(G.LastTick));
  G.LevelTicks = static_cast<int32_t>(static_cast<uint32_t>(G.LevelTicks) +
                                      static_cast<uint32_t>(G.FrameDelta));
  G.LastTick = now;
}

void TGameWindow::DXTimer1Timer(int32_t lagCount) {
  if (!DXDraw.CanDraw()) return;
  G.LagCount = lagCount;
  DoFrame();
}

void TGameWindow::ResetToMenu() {
  G.JoyRepeat = 4;
  Screens.DropOptionsPending();
  ClearAllSprites();
  Screens.ResetTitleMenu();
  G.GameState = gsMenu;
}

void TGameWindow::BackToMenu() {
  ResetToMenu();
  PlayMusic("intro.mid");
}
