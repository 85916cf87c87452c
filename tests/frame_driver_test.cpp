// The frame driver's clock, second counter, time that does not count, and the frame timer.
#include <gtest/gtest.h>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/sound.h"
#include "fake_audio_device.h"
#include "fake_video.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "platform/clock.h"
#include "support/session_test.h"

namespace {

class FrameDriver : public SessionTest {
 protected:
  // Puts the game into play with a running level clock.
  void Play(int32_t timeLeft) {
    G.GameState = gsPlaying;
    G.TimeLeft = timeLeft;
    G.SleepMs = 0;
    G.LastTick = game_clock::Now();
    G.LevelTicks = 1;
  }
  // One frame after ms milliseconds.
  void Frame(uint32_t ms) {
    clock.Advance(ms);
    app.Step();
  }
  void Key(TInputEvent::TKind kind, int32_t key) {
    TInputEvent e;
    e.Kind = kind;
    e.Key = key;
    app.Dispatch(e);
  }
  void Tap(int32_t key) {
    Key(TInputEvent::KeyDown, key);
    Key(TInputEvent::KeyUp, key);
  }

  TApplication& app = session.App();
};

TEST_F(FrameDriver, FirstFrameOnlyLeavesStartup) {
  G.GameState = gsStartup;
  Frame(16);
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(video.Presents, 0);
  Frame(16);
  EXPECT_EQ(video.Presents, 1);
}

TEST_F(FrameDriver, LongFrameReleasesOneSecondPerFrame) {
  Play(10);
  Frame(2500);
  EXPECT_EQ(G.TimeLeft, 9);
  EXPECT_EQ(G.SecondAcc, 1500);
  EXPECT_EQ(G.FrameDelta, 2500);
  Frame(1);
  EXPECT_EQ(G.TimeLeft, 8);
  EXPECT_EQ(G.SecondAcc, 501);
  Frame(1);
  EXPECT_EQ(G.TimeLeft, 8);
  EXPECT_EQ(G.SecondsElapsed, 2);
}

TEST_F(FrameDriver, CountdownStopsAtZero) {
  Play(1);
  Frame(1000);
  EXPECT_EQ(G.TimeLeft, 0);
  Frame(1000);
  EXPECT_EQ(G.TimeLeft, 0);
  EXPECT_EQ(G.SecondsElapsed, 1);
}

TEST_F(FrameDriver, FoodWaitsForStrictlyMoreThanItsInterval) {
  Play(100);
  G.FoodInterval = 100;
  Frame(100);
  EXPECT_EQ(G.FoodAcc, 100);  // equal: not yet
  Frame(1);
  EXPECT_EQ(G.FoodAcc, 1);
}

TEST_F(FrameDriver, PausedTimeDoesNotCount) {
  Play(50);
  Frame(16);
  const int32_t ticks = G.LevelTicks;
  Tap(80);  // P
  EXPECT_EQ(G.GameState, gsPaused);
  EXPECT_FALSE(form.DXTimer1.Enabled());
  for (int i = 0; i < 10; ++i) Frame(1000);
  EXPECT_EQ(G.LevelTicks, ticks);
  EXPECT_EQ(G.TimeLeft, 50);
  Tap(80);
  EXPECT_EQ(G.GameState, gsPlaying);
  Frame(16);
  EXPECT_EQ(G.FrameDelta, 16);
  EXPECT_EQ(G.LevelTicks, ticks + 16);
}

// With the timer stopped no frame comes to draw the window: uncovering, restoring or resizing
// it shows the last picture again at once; while frames run they redraw it anyway.
TEST_F(FrameDriver, UncoveredWindowShowsItsPictureWhileStopped) {
  Play(50);
  Frame(16);
  TInputEvent e;
  e.Kind = TInputEvent::Exposed;
  int before = video.Presents;
  app.Dispatch(e);
  EXPECT_EQ(video.Presents, before);
  Tap(80);  // P
  ASSERT_FALSE(form.DXTimer1.Enabled());
  for (TInputEvent::TKind k : {TInputEvent::Exposed, TInputEvent::Restored}) {
    before = video.Presents;
    e.Kind = k;
    app.Dispatch(e);
    EXPECT_EQ(video.Presents, before + 1);
  }
}

TEST_F(FrameDriver, ExitPromptTimeDoesNotCount) {
  Play(50);
  Frame(16);
  Key(TInputEvent::KeyUp, 27);  // Esc released
  EXPECT_EQ(G.GameState, gsExitPrompt);
  Frame(16);  // draws the question, then stops the timer
  EXPECT_FALSE(form.DXTimer1.Enabled());
  const int32_t ticks = G.LevelTicks;
  Frame(30000);
  Key(TInputEvent::KeyUp, 78);  // N
  EXPECT_EQ(G.GameState, gsPlaying);
  Frame(20);
  EXPECT_EQ(G.FrameDelta, 20);
  EXPECT_EQ(G.LevelTicks, ticks + 20);
  EXPECT_EQ(G.TimeLeft, 50);
}

TEST_F(FrameDriver, ExitPromptYesGoesToMenuWithFreshClock) {
  Play(50);
  Key(TInputEvent::KeyUp, 27);
  Frame(16);
  Key(TInputEvent::KeyUp, 89);  // Y
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_TRUE(form.DXTimer1.Enabled());
  EXPECT_EQ(G.LevelTicks, 1);
  EXPECT_EQ(G.LastTick, game_clock::Now());
}

TEST_F(FrameDriver, F2TogglesTheFrameCounterInEveryState) {
  for (TGameState s : {gsMenu, gsPlaying, gsDemo, gsTransition, gsHelp}) {
    G.GameState = s;
    const bool before = G.ShowFps;
    Key(TInputEvent::KeyDown, 113);
    EXPECT_NE(G.ShowFps, before) << GameStateName(s);
  }
}

TEST_F(FrameDriver, LosingFocusPausesPlayAndComingBackKeepsItPaused) {
  Play(50);
  Frame(16);
  TInputEvent e;
  e.Kind = TInputEvent::FocusLost;
  app.Dispatch(e);
  EXPECT_EQ(G.GameState, gsPaused);
  EXPECT_TRUE(video.CursorVisible);
  Frame(5000);
  e.Kind = TInputEvent::FocusGained;
  app.Dispatch(e);
  EXPECT_EQ(G.GameState, gsPaused);
  EXPECT_FALSE(form.DXTimer1.Enabled());
}

TEST_F(FrameDriver, MenuResumesAfterFocusWithoutALagJump) {
  G.GameState = gsMenu;
  G.SleepMs = 0;
  G.LastTick = game_clock::Now();
  Frame(16);
  int32_t lag = 0;
  form.DXTimer1.OnTimer = [&](int32_t l) {
    lag = l;
    form.DXTimer1Timer(l);
  };
  TInputEvent e;
  e.Kind = TInputEvent::FocusLost;
  app.Dispatch(e);
  const int32_t ticks = G.LevelTicks;
  Frame(10000);
  EXPECT_EQ(lag, 0);  // no tick while away
  e.Kind = TInputEvent::FocusGained;
  app.Dispatch(e);
  Frame(16);
  EXPECT_EQ(lag, 16);
  EXPECT_EQ(G.LevelTicks, ticks + 16);
}

TEST(FrameTimer, LagCountAndFramesPerSecond) {
  TVirtualClock clock(100);
  SetClock(&clock);
  TDXTimer timer;
  std::vector<int32_t> lags;
  timer.OnTimer = [&](int32_t l) { lags.push_back(l); };
  timer.Idle();
  EXPECT_TRUE(lags.empty());  // disabled
  timer.SetEnabled(true);
  clock.Advance(16);
  timer.Idle();
  timer.Idle();  // no time passed: still at least 1
  clock.Advance(40);
  timer.Idle();
  EXPECT_EQ(lags, (std::vector<int32_t>{16, 1, 40}));
  for (int i = 0; i < 60; ++i) {
    clock.Advance(16);
    timer.Idle();
  }
  // 63 ticks in 1016 ms.
  EXPECT_EQ(timer.FrameRate(), 63 * 1000 / 1016);
  timer.AppDeactivate();
  clock.Advance(500);
  timer.Idle();
  EXPECT_EQ(lags.size(), 63u);
  timer.AppActivate();
  clock.Advance(20);
  timer.Idle();
  EXPECT_EQ(lags.back(), 20);
  SetClock(nullptr);
}

// The display's wait at the end of a frame may take the next frame's pause (the "Sleep" setting)
// with it: that frame then starts without sleeping again, but only straight after the wait, once.
TEST(FramePause, TakenAheadOnceByTheWaitJustBefore) {
  TVirtualClock clock(100);
  SetClock(&clock);
  frame_pause::Take(0);  // nothing left over from other tests
  const auto slept = [&](uint32_t ms) {
    const uint32_t before = clock.Now();
    frame_pause::Take(ms);
    return clock.Now() - before;
  };
  EXPECT_EQ(slept(2), 2u);  // no wait before: the frame sleeps its pause
  EXPECT_EQ(frame_pause::Next(), 2u);
  frame_pause::TakenAhead();
  EXPECT_EQ(slept(2), 0u);
  EXPECT_EQ(slept(2), 2u);  // taken once only
  frame_pause::TakenAhead();
  clock.Advance(frame_pause::kFreshMs + 1);  // the timer stood still after that wait
  EXPECT_EQ(slept(2), 2u);
  frame_pause::TakenAhead();
  EXPECT_EQ(slept(3), 1u);  // the setting grew since: the rest is slept
  SetClock(nullptr);
}

TEST(VideoFallback, TriesAgainThenOtherDepthThenWindow) {
  struct Case {
    int failures;
    int32_t startBits;
    int32_t wantBits;
    int wantOpens;
  };
  for (const Case& c : {Case{0, 0, 0, 1}, Case{1, 0, 0, 2}, Case{2, 0, 32, 3}, Case{2, 32, 16, 3},
                        Case{2, 16, 32, 3}, Case{3, 16, 32, 4}}) {
    ResetGlobals();
    TVirtualClock clock;
    SetClock(&clock);
    G.VideoBitCount = c.startBits;
    TFakeVideo video;
    video.FailOpens = c.failures;
    TMainForm form(&video);
    form.InitVideo();
    EXPECT_EQ(video.Opens, c.wantOpens) << c.failures << " failures";
    EXPECT_EQ(G.VideoBitCount, c.wantBits) << c.failures << " failures";
    EXPECT_TRUE(form.DXDraw.Initialized());
    EXPECT_TRUE(form.DXTimer1.Enabled());
    if (c.failures == 1) {
      EXPECT_EQ(clock.Now(), 1000u + 500u);  // waited before the retry
    }
    SetClock(nullptr);
  }
}

TEST(VideoFallback, LastFailureReachesTheCaller) {
  ResetGlobals();
  TVirtualClock clock;
  SetClock(&clock);
  TFakeVideo video;
  video.FailOpens = 4;
  TMainForm form(&video);
  EXPECT_THROW(
      {
        try {
          form.InitVideo();
        } catch (const EDXDrawError& e) {
          EXPECT_STREQ(e.what(), "Display mode cannot be changed (640x480 32bit): no mode");
          throw;
        }
      },
      EDXDrawError);
  EXPECT_FALSE(form.DXDraw.Initialized());
  EXPECT_FALSE(G.ModeSwitching);
  SetClock(nullptr);
}

}  // namespace

namespace {

// The countdown's sounds, heard through a device that never plays: every play stays on its
// own sound buffer, so the buffers count the plays.
class CountdownSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    SetClock(&clock);
    InitSound(std::make_unique<TFakeAudioDevice>());
    form.FormCreate();
    form.InitVideo();
    G.GameState = gsPlaying;
    G.SleepMs = 0;
    G.LastTick = game_clock::Now();
  }
  void TearDown() override {
    ShutdownSound();
    SetClock(nullptr);
  }
  size_t Plays(const char* name) { return DXWaveList.Find(name).Buffers().size(); }
  void Second() {
    clock.Advance(1000);
    app.Step();
  }

  TVirtualClock clock{5000};
  TFakeVideo video;
  TMainForm form{&video};
  TApplication app{form, video};
};

TEST_F(CountdownSounds, TickFromFiveAndTimeUpAtZero) {
  G.TimeLeft = 7;
  Second();  // 6 left: quiet
  EXPECT_EQ(Plays("Time"), 0u);
  EXPECT_FALSE(FallingCaptionActive());
  Second();  // 5 left: the "HurryUp" caption starts falling with the first tick
  EXPECT_EQ(Plays("Time"), 1u);
  EXPECT_TRUE(FallingCaptionActive());
  for (int i = 0; i < 4; ++i) Second();  // 4, 3, 2, 1
  EXPECT_EQ(Plays("Time"), 5u);
  EXPECT_EQ(Plays("TimeUp"), 0u);
  Second();  // 0
  EXPECT_EQ(G.TimeLeft, 0);
  EXPECT_EQ(Plays("Time"), 5u);
  EXPECT_EQ(Plays("TimeUp"), 1u);
}

}  // namespace
