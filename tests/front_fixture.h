#pragma once
// A game window at the title menu on a virtual clock, with a per-user folder of its own and a
// sound device that never plays (so every play keeps its own buffer and the buffers count the
// plays): a game session with a fake window.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/sound.h"
#include "fake_audio_device.h"
#include "fake_video.h"
#include "front/app_loop.h"
#include "front/high_scores.h"
#include "front/input.h"
#include "game/playfield.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "session/game_session.h"
#include "support/session_test.h"

class FrontEnd : public SessionTest {
 protected:
  FrontEnd() : SessionTest(0) {}  // the session's clock as it starts
  void SetUp() override {
    G.GameState = gsMenu;
    Frame();  // builds the title menu and draws it
    G.SleepMs = 0;
    InitSound(std::make_unique<TFakeAudioDevice>());
  }
  void TearDown() override { ShutdownSound(); }

  void Frame(uint32_t ms = 16) {
    clock.Advance(ms);
    app.Step();
  }
  void Send(TInputEvent::TKind kind, int32_t key, uint32_t shift = 0) {
    TInputEvent e;
    e.Kind = kind;
    e.Key = key;
    e.Shift = shift;
    app.Dispatch(e);
  }
  void Tap(int32_t key, uint32_t shift = 0) {
    Send(TInputEvent::KeyDown, key, shift);
    Send(TInputEvent::KeyUp, key, shift);
  }
  void Type(const std::string& utf8) { session.Type(utf8); }
  // A mouse button released with the pointer at (x, y).
  void Click(int32_t x, int32_t y, int32_t button = 0) {
    G.PointerPos = {x, y};
    session.Click(x, y, button);
  }
  size_t Plays(const char* name) { return DXWaveList.Find(name).Buffers().size(); }
  // Pixels of the last picture that differ from the bare water.
  int DrawnOverWater() {
    const TSurface picture = form.DXDraw.Surface();
    DrawWater();
    int n = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        n += picture.GetPixel(x, y) != form.DXDraw.Surface().GetPixel(x, y);
    form.DXDraw.Surface() = picture;
    return n;
  }

  std::string home = session.Options().Home + "/";
  TApplication& app = session.App();
};
