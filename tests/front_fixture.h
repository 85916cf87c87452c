#pragma once
// A game window at the title menu on a virtual clock, with a per-user folder of its own and a
// sound device that never plays (so every play keeps its own buffer and the buffers count the
// plays).
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

class FrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    ForgetHighScores();
    const std::string tmpl = process::MakeTemporaryFolder("tarvelle-front-");
    ASSERT_NE(tmpl, "");
    home = std::string(tmpl) + "/";
    paths::OverrideHome(home);
    G.ProgramFolder = TARVELLE_BUILD_DIR "/";
    SetClock(&clock);
    form.FormCreate();
    form.InitVideo();
    G.GameState = gsMenu;
    Frame();  // builds the title menu and draws it
    G.SleepMs = 0;
    InitSound(std::make_unique<TFakeAudioDevice>());
  }
  void TearDown() override {
    ShutdownSound();
    SetClock(nullptr);
    paths::OverrideHome("");
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
  }

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
  void Type(const std::string& utf8) {
    TInputEvent e;
    e.Kind = TInputEvent::TextInput;
    e.Text = utf8;
    app.Dispatch(e);
  }
  // A mouse button released with the pointer at (x, y).
  void Click(int32_t x, int32_t y, int32_t button = 0) {
    G.PointerPos = {x, y};
    video.Pointer = {x, y};
    TInputEvent e;
    e.Kind = TInputEvent::MouseUp;
    e.Button = button;
    e.X = x;
    e.Y = y;
    app.Dispatch(e);
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

  std::string home;
  TVirtualClock clock{5000};
  TFakeVideo video;
  TMainForm form{&video};
  TApplication app{form, video};
};
