// A phone's taps, and the pieces of the game that a phone needs: a tap takes the menu item
// under it, continues where any key would, resumes a paused game; the congratulation after
// the last level keeps its waits where the clock can't wait; the picture fills the screen.
#include <gtest/gtest.h>

#include "platform/keys.h"
#include "front/title_screen.h"
#include "front_fixture.h"
#include "game/rules.h"
#include "platform/picture_fit.h"

namespace {

class PhoneTaps : public FrontEnd {
 protected:
  void Touch(TPoint down, TPoint up) {
    TInputEvent e;
    e.Kind = TInputEvent::Touch;
    e.DownX = down.X;
    e.DownY = down.Y;
    e.X = up.X;
    e.Y = up.Y;
    app.Dispatch(e);
  }
  void TapAt(TPoint p) { Touch(p, p); }
  TPoint MenuItemCentre(int i) {
    const TMenuItem& it = Menu->Item(i);
    return {it.X + it.Width / 2, it.Y + it.Height / 2};
  }
};

TEST_F(PhoneTaps, ATapOnAMenuItemTakesItAtOnce) {
  ASSERT_TRUE(Menu);
  ASSERT_EQ(Menu->Selected, 1);  // "New Game"
  TapAt({5, 470});               // beside every item: nothing
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(Menu->Selected, 1);
  TapAt(MenuItemCentre(3));  // "Options"
  EXPECT_EQ(G.GameState, gsOptions);
}

TEST_F(PhoneTaps, ATapContinuesWhereAnyKeyWouldAndResumesAPause) {
  Tap(vk::Return);  // New Game
  for (int i = 0; i < 200 && G.GameState != gsPlaying; ++i) Frame();
  ASSERT_EQ(G.GameState, gsPlaying);
  Tap(vk::P);
  ASSERT_EQ(G.GameState, gsPaused);
  TapAt({600, 450});  // far from the Dragon: no hop, a tap
  EXPECT_EQ(G.GameState, gsPlaying);
  EXPECT_TRUE(form.DXTimer1.Enabled());

  const int32_t level = G.LevelNo;
  G.GameState = gsLevelDone;  // "Press any key to continue..." after a level
  TapAt({320, 240});
  EXPECT_EQ(G.GameState, gsPlaying);
  EXPECT_EQ(G.LevelNo, level + 1);

  G.Lives = 0;
  G.GameState = gsDead;  // and after the last life
  TapAt({320, 240});
  EXPECT_EQ(G.GameState, gsMenu);
}

// The browser's clock: Sleep must not block there.
class TFrameClock : public TVirtualClock {
 public:
  using TVirtualClock::TVirtualClock;
  void Sleep(uint32_t) override {}
  bool Waits() const override { return false; }
};

TEST_F(PhoneTaps, TheLastLevelsCongratulationKeepsItsWaitsWithoutSleeping) {
  TFrameClock frames{clock.Now()};
  SetClock(&frames);
  G.LevelNo = G.LevelCount;
  G.Lives = 2;
  G.Score = 0;  // no place in the table: "Press any key" at the end
  G.GameState = gsLevelDone;
  const size_t before = Plays("Win");
  ShowFinalEnding();
  EXPECT_TRUE(FinalEndingRunning());
  EXPECT_EQ(Plays("Win") - before, 1u);  // the first fanfare at once
  uint32_t waited = 0;
  while (FinalEndingRunning() && waited < 10000) {
    Tap(vk::Return);  // taken by nothing while the congratulation lasts
    TapAt({320, 240});
    ASSERT_EQ(G.GameState, gsLevelDone) << waited;
    frames.Advance(16);
    waited += 16;
    app.Step();
    if (waited == 1504) {
      EXPECT_EQ(Plays("Win") - before, 6u);
    }
  }
  EXPECT_GE(waited, 4800u);
  EXPECT_LE(waited, 4816u);
  EXPECT_EQ(Plays("Win") - before, 6u);
  TapAt({320, 240});
  EXPECT_EQ(G.GameState, gsMenu);
  SetClock(&clock);
}

TEST(PictureFit, PhonesAreFilledAndLargeWindowsKeepWholeMultiples) {
  struct Case {
    int w, h;
    bool touch;
    TRect dest;
    bool smooth;
  };
  for (const Case& c : {
           // A phone at 3 device pixels per point, upright and on its side: the limiting
           // side is filled.
           Case{1170, 2532, true, Bounds(0, 827, 1170, 878), true},
           Case{2532, 1170, true, Bounds(486, 0, 1560, 1170), true},
           // The window at the picture's size, and a whole multiple that fills most of it.
           Case{640, 480, false, Bounds(0, 0, 640, 480), false},
           Case{1920, 1080, false, Bounds(320, 60, 1280, 960), false},
           Case{700, 500, false, Bounds(30, 10, 640, 480), false},
           // The same on a touch screen leaves too much unused.
           Case{1920, 1080, true, Bounds(240, 0, 1440, 1080), true},
           Case{1280, 960, true, Bounds(0, 0, 1280, 960), false},
           // Too little of the window used at 1x, and a window smaller than the picture.
           Case{1000, 900, false, Bounds(0, 75, 1000, 750), true},
           Case{320, 480, false, Bounds(0, 120, 320, 240), true},
           Case{300, 200, false, Bounds(16, 0, 267, 200), true},
       }) {
    const TPictureFit fit = FitPicture(c.w, c.h, 640, 480, c.touch);
    EXPECT_EQ(fit.Dest, c.dest) << c.w << "x" << c.h << " touch " << c.touch << ": "
                                << fit.Dest.Left << "," << fit.Dest.Top << " "
                                << fit.Dest.Width() << "x" << fit.Dest.Height();
    EXPECT_EQ(fit.Smooth, c.smooth) << c.w << "x" << c.h;
  }
  EXPECT_EQ(FitPicture(0, 0, 640, 480, false).Dest, TRect{});
}

TEST(PictureFit, PointsMapThroughTheSameScale) {
  const TRect dest = FitPicture(1170, 2532, 640, 480, true).Dest;  // 1.83 output px a pixel
  struct Case {
    double x, y;
    TPoint want;
  };
  const double top = dest.Top, bottom = dest.Bottom;
  for (const Case& c : {Case{0, top, {0, 0}}, Case{1169.9, bottom - 0.1, {639, 479}},
                        Case{585, top + 439, {320, 240}},
                        Case{585, top - 1, {320, -1}},       // above the picture
                        Case{585, bottom, {320, 480}}}) {  // below it
    EXPECT_EQ(OutputToPicture(dest, 640, 480, c.x, c.y), c.want) << c.x << "," << c.y;
  }
}

}  // namespace
