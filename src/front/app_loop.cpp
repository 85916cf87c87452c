#include "front/app_loop.h"

#include <cstdio>
#include <exception>

#include "core/globals.h"
#include "core/settings.h"
#include "front/input.h"
#include "platform/keys.h"
#include "front/screen_calls.h"
#include "front/touch_gesture.h"
#include "game/cp1252.h"
#include "game/replay_recorder.h"
#include "game/world_scores.h"
#include "platform/clock.h"
#include "platform/http_client.h"
#include "platform/video.h"

char KeyCharacter(int32_t key, uint32_t shift) {
  if (shift & vk::ssAlt) return 0;
  return key == vk::Back || key == vk::Return || key == vk::Escape ? static_cast<char>(key) : 0;
}

void TApplication::KeyDown(int32_t key, uint32_t shift) {
  // A key pressed with Alt held (and F10) is a system key: only Enter and F4 reach the game.
  if (((shift & vk::ssAlt) || key == vk::F10) && key != vk::Return && key != vk::F4) return;
  form_.FormKeyDown(key, shift);
  if (const char c = KeyCharacter(key, shift)) form_.FormKeyPress(c);
  if (key == vk::F4 && (shift & vk::ssAlt) && !form_.Closed()) {
    if (form_.FormCloseQuery()) form_.FormClose();
  }
}

void TApplication::Dispatch(const TInputEvent& e) {
  switch (e.Kind) {
    case TInputEvent::KeyDown:
      // The system's own repeats are ignored: the game repeats a held key itself.
      if (e.Repeat) break;
      heldKey_ = e.Key;
      heldShift_ = e.Shift;
      nextRepeat_ = Clock().Now() + kRepeatDelay;
      KeyDown(e.Key, e.Shift);
      break;
    case TInputEvent::KeyUp:
      if (e.Key == heldKey_) heldKey_ = 0;
      form_.FormKeyUp(e.Key, e.Shift);
      break;
    case TInputEvent::TextInput:
      // Typed text reaches the game one Windows-1252 byte a character.
      for (char c : Cp1252FromUtf8(e.Text)) form_.FormKeyPress(c);
      break;
    case TInputEvent::MouseUp:
      form_.DXDrawMouseUp(e.Button, e.Shift, e.X, e.Y);
      break;
    case TInputEvent::Touch: {
      const TTouchPond pond{20, CellW(), CellH(), G.DragonColumn, G.DragonRow};
      const TTouchAction a =
          TouchAction({e.DownX, e.DownY}, {e.X, e.Y}, G.GameState == gsPlaying, pond);
      if (a.Kind == TTouchAction::Arrow) {
        KeyDown(a.Key, 0);
        form_.FormKeyUp(a.Key, 0);
      } else {
        form_.Tap(a.X, a.Y);
      }
      break;
    }
    case TInputEvent::FocusGained:
      form_.DXTimer1.AppActivate();
      break;
    case TInputEvent::FocusLost:
      heldKey_ = 0;  // its release will go to another window
      form_.DXTimer1.AppDeactivate();
      break;
    case TInputEvent::CloseRequest:
      if (!form_.Closed() && form_.FormCloseQuery()) form_.FormClose();
      break;
    case TInputEvent::DeviceReset:
      form_.DXDraw.SurfacesRestored();
      break;
    case TInputEvent::DisplayChanged:
      form_.DisplayChanged();
      break;
    case TInputEvent::Exposed:
    case TInputEvent::Restored:
      // While the timer stands still no frame will come to draw the window again.
      if (!form_.DXTimer1.Enabled() || !form_.DXTimer1.AppActive()) form_.DXDraw.ShowAgain();
      break;
    case TInputEvent::PadRemoved:
      if (G.GameState == gsPlaying) form_.PauseGame();
      break;
    default:
      break;
  }
}

void TApplication::RepeatHeldKey() {
  if (heldKey_ == 0) return;
  const uint32_t now = Clock().Now();
  if (static_cast<int32_t>(now - nextRepeat_) < 0) return;
  // One repeat per pass; a long stall does not release a burst of them.
  nextRepeat_ = static_cast<int32_t>(now - nextRepeat_) >= static_cast<int32_t>(kRepeatInterval)
                    ? now + kRepeatInterval
                    : nextRepeat_ + kRepeatInterval;
  KeyDown(heldKey_, heldShift_);
}

void TApplication::FollowTextInput() {
  const bool want = RecordsEntering();
  if (want == textInput_) return;
  textInput_ = want;
  output_.SetTextInput(want);
}

void TApplication::ReportPad() {
  const TPadStick stick = output_.PadStick();
  if (!stick.Connected) return;
  const uint32_t now = Clock().Now();
  const uint32_t interval = G.GameState == gsPlaying ? kPadReportPlay : kPadReportMenu;
  if (now - lastPadReport_ < interval) return;
  lastPadReport_ = now;
  G.AxisCentreX = stick.CentreX;
  G.AxisCentreY = stick.CentreY;
  form_.JoyMove(static_cast<uint32_t>(stick.X & 0xFFFF) |
                (static_cast<uint32_t>(stick.Y & 0xFFFF) << 16));
}

void TApplication::Step() {
  TInputEvent e;
  while (!form_.Closed() && output_.PollEvent(e)) Dispatch(e);
  if (form_.Closed()) return;
  ReportPad();
  RepeatHeldKey();
  FollowTextInput();
  form_.DXTimer1.Idle();
  // The world table's answers, and the next score to send: in the background, never waited on.
  http::Poll();
  world::PumpWorldScores();
}

void QuitAfterErrors(TMainForm& form) {
  // Every way out saves, this one too: the volumes, the difficulty and the highest level.
  try {
    if (!form.Closed()) form.QuitGame();
    return;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Tarvelle: %s\n", e.what());
  }
  // Quitting failed half way: save each part on its own.
  for (void (*save)() : {SaveSettings, SaveMaxLevel}) {
    try {
      save();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Tarvelle: %s\n", e.what());
    }
  }
}

void TApplication::Begin() {
  // Every game played in the window is recorded for replays.
  SetReplayRecording(true);
  lastError_ = 0;
  errorsInARow_ = 0;
}

void TApplication::Frame() {
  try {
    Step();
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    const uint32_t now = Clock().Now();
    errorsInARow_ = now - lastError_ < 1000 ? errorsInARow_ + 1 : 1;
    lastError_ = now;
    if (errorsInARow_ >= 3) {
      exitCode_ = 1;
      QuitAfterErrors(form_);
    }
  }
}

void TApplication::Run() {
  Begin();
  while (!form_.Closed()) {
    Frame();
    // With the timer stopped (paused, exit prompt, no focus) wait for events instead of spinning.
    const bool ticking = form_.DXTimer1.Enabled() && form_.DXTimer1.AppActive();
    if (!ticking && !form_.Closed()) {
      TInputEvent e;
      if (output_.WaitEvent(e, heldKey_ ? 10 : 50)) Dispatch(e);
    }
  }
}
