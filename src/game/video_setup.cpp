// Bringing the display up, its events, and the game's reaction to losing and regaining focus.
#include "core/globals.h"
#include "core/sound.h"
#include "game/main_form.h"
#include "game/playfield.h"
#include "game/replay_recorder.h"
#include "game/screen_text.h"
#include "game/screens.h"
#include "media/image_item.h"
#include "platform/clock.h"
#include "platform/video.h"

void TGameWindow::InitVideo() {
  try {
    DXDraw.Initialize();
    return;
  } catch (const EDXDrawError&) {
  }
  game_clock::Sleep(500);
  try {
    DXDraw.Initialize();
    return;
  } catch (const EDXDrawError&) {
  }
  G.VideoBitCount = G.VideoBitCount <= 16 ? 32 : 16;
  DXDraw.Display.BitCount = G.VideoBitCount;
  try {
    DXDraw.Initialize();
    return;
  } catch (const EDXDrawError&) {
  }
  G.VideoBitCount = 32;
  DXDraw.Display.BitCount = 32;
  Go2WindowMode();
}

void TGameWindow::Go2WindowMode() {
  G.ModeSwitching = true;
  struct TClearSwitching {
    ~TClearSwitching() { G.ModeSwitching = false; }
  } clear;
  if (DXDraw.Initialized()) DXDraw.Finalize();
  DXDraw.SetArrowCursor(G.GameState == gsPaused);
  DXDraw.Display.Width = 640;
  DXDraw.Display.Height = 480;
  DXDraw.Options &= ~(OptionBit(doFullScreen) | OptionBit(doSystemMemory));
  DXDraw.Initialize();
  G.WindowedMode = true;
}

void TGameWindow::Go2FullScreen() {
  // No switch of the screen's mode: the window goes full screen with Alt+Enter or F11 instead.
}

void TGameWindow::DXDrawInitialize() {
  SpriteEngine.SurfaceCreated(DXDraw.Surface());
  if (G.GameState != gsPaused && G.GameState != gsExitPrompt) DXTimer1.SetEnabled(true);
}

void TGameWindow::DXDrawFinalize() {
  DXTimer1.SetEnabled(false);
  SpriteEngine.SurfaceReleased();
}

void TGameWindow::BlendCentredCaption(const char* imageName, int32_t level) {
  TPictureCollectionItem& item = ImageList.Find(imageName);
  const int32_t w = item.Width(), h = item.Height();
  BlendImage(DXDraw.Surface(), (640 - w) / 2, (440 - h) / 2, item, {0, 0, w - 1, h - 1}, level);
}

void TGameWindow::DXDrawRestoreSurface() {
  switch (G.GameState) {
    case gsPaused:
    case gsExitPrompt:
      DrawPlayfield();
      break;
    case gsHighScores:
      if (Screens.EnteringName()) DrawPlayfield();
      break;
    case gsLevelDone:
    case gsDead:
      DrawPlayfield();
      BlendCentredCaption(G.GameState == gsLevelDone ? "Complete" : "GameOver", 200);
      DrawPressAnyKey(400);
      // The playfield was already shown; show it again with the caption on it.
      DXDraw.Flip();
      break;
    default:
      break;
  }
}

void TGameWindow::DisplayChanged() {
  // The window's picture is converted to the desktop's format on every present, so a new
  // desktop format needs no new surfaces; only a change in the middle of a mode switch would
  // matter, and that is ignored.
}

void TGameWindow::DXTimer1Deactivate() {
  const TTapeCallGuard tape(tcDeactivate);
  if (G.GameState == gsPlaying) PauseGame();
  G.TimerWasEnabled = DXTimer1.Enabled();
  if (G.TimerWasEnabled) UpdateClock();
  DXTimer1.SetEnabled(false);
  if (MusicAvailable && MusicPlayer.Playing && !MusicPlayer.IsPaused()) MusicPlayer.Pause();
  if (G.WindowedMode) DXDraw.SetArrowCursor(true);
}

void TGameWindow::DXTimer1Activate() {
  const TTapeCallGuard tape(tcActivate);
  if (G.GameState != gsPaused) DXDraw.SetArrowCursor(false);
  const bool minimized = output_ && output_->IsMinimized();
  if (MusicAvailable && MusicPlayer.Loaded() && MusicPlayer.IsPaused() && !minimized &&
      G.MusVol > 0)
    MusicPlayer.Resume();
  DXTimer1.SetEnabled(G.TimerWasEnabled);
  if (G.TimerWasEnabled) G.LastTick = game_clock::Now();
}
