// The zooming caption, the falling caption and the score pop-ups: their timing and their
// entry points.
#include "actors/effects.h"

#include <tuple>

#include "actors/score.h"
#include "core/random.h"
#include "media/image_list.h"
#include "support/pond.h"

namespace {

using EffectsTest = PondTest;

std::tuple<int, int, int, int> Values(const TRotateFrame& f) {
  return {f.Width, f.Height, f.Angle, f.Alpha};
}

TEST_F(EffectsTest, GameOverCaptionGrowsTurnsAndBrightensThenRestoresTheState) {
  G.GameState = gsDead;
  G.LevelTicks = 100;
  StartTransition("GameOver", 1600, 2, 50, 200);
  EXPECT_EQ(G.GameState, gsTransition);
  EXPECT_TRUE(TransitionInterrupted(gsDead));
  EXPECT_FALSE(TransitionInterrupted(gsLevelDone));
  TRotatedImage& t = *Effects().Transition;
  const int w = form.ImageList.Find("GameOver").Width();
  const int h = form.ImageList.Find("GameOver").Height();
  ASSERT_EQ(std::make_pair(t.FullWidth, t.FullHeight), std::make_pair(w, h));

  EXPECT_EQ(Values(t.Step()), std::make_tuple(0, 0, 0, 50));  // t = 0: nothing to see
  G.LevelTicks = 900;
  EXPECT_EQ(Values(t.Step()), std::make_tuple(w / 2, h / 2, 256, 125));
  EXPECT_FALSE(TransitionFinished());
  G.LevelTicks = 1699;
  DrawTransitionStep();
  EXPECT_FALSE(TransitionFinished());
  G.LevelTicks = 1700;
  EXPECT_EQ(Values(t.Step()), std::make_tuple(w, h, 0, 200));
  EXPECT_TRUE(TransitionFinished());
  EXPECT_EQ(Values(t.Step()), std::make_tuple(w, h, 0, 200));  // and stays there

  TransitionRestoreState();
  EXPECT_EQ(G.GameState, gsDead);
  FreeTransition();
  EXPECT_TRUE(TransitionFinished());
  EXPECT_FALSE(TransitionInterrupted(gsDead));
}

// A second caption over a running one must not leave gsTransition to be restored.
TEST_F(EffectsTest, ACaptionStartedOverAnotherKeepsTheInterruptedState) {
  G.GameState = gsLevelDone;
  StartTransition("Complete", 1200, 0, 50, 200);
  StartTransition("GameOver", 1600, 2, 50, 200);
  EXPECT_EQ(Effects().Transition->ImageName, "GameOver");
  TransitionRestoreState();
  EXPECT_EQ(G.GameState, gsLevelDone);
}

TEST_F(EffectsTest, FallingCaptionSlidesDownAndFadesInTwoAndAHalfSeconds) {
  G.LevelTicks = 1000;
  StartFallingCaption("HurryUp");
  TFallingImage& f = Effects().Falling;
  TFallFrame frame;
  G.LevelTicks = 2250;
  ASSERT_TRUE(f.Step(frame));
  EXPECT_EQ(std::make_tuple(frame.X, frame.Y, frame.Level),
            std::make_tuple((640 - 165) / 2, 240, 148));
  G.GameState = gsPaused;  // pausing keeps it
  G.LevelTicks = 3500;
  ASSERT_TRUE(f.Step(frame));  // the last frame is still drawn
  EXPECT_EQ(std::make_tuple(frame.Y, frame.Level), std::make_tuple(400, 40));
  EXPECT_FALSE(FallingCaptionActive());

  // A new start restarts it with the new picture; leaving play cancels it.
  StartFallingCaption("HurryUp");
  StartFallingCaption("Hungry");
  EXPECT_EQ(std::make_pair(f.ImageName, f.StartTime), std::make_pair(std::string("Hungry"), 3500));
  G.GameState = gsMenu;
  EXPECT_FALSE(f.Step(frame));
  EXPECT_FALSE(FallingCaptionActive());
  StartFallingCaption("Hungry");
  StopFallingCaption();
  EXPECT_FALSE(FallingCaptionActive());
}

TEST_F(EffectsTest, ScorePopupShowsTheDigitsOverTheDragonAndRisesForOneSecond) {
  Pond(16, 11);
  TDragon* d = PutDragon(5, 5);
  RandomState = 5;
  AddScore(1000);
  AddScore(7);
  EXPECT_EQ(G.Score, 1007);
  const TScoreUp& thousand = Effects().ScorePopups[0];
  EXPECT_EQ(thousand.DigitCount, 4);
  EXPECT_EQ(std::make_tuple(thousand.Digits[4], thousand.Digits[3], thousand.Digits[1]),
            std::make_tuple(1, 0, 0));
  EXPECT_EQ(Effects().ScorePopups[1].DigitCount, 1);
  EXPECT_EQ(Effects().ScorePopups[1].Digits[1], 7);
  // Centred over the Dragon, 13-pixel digits, rising 40 to 49 pixels.
  EXPECT_EQ(std::make_pair(thousand.FromX, thousand.FromY),
            std::make_pair(d->X + (42 - 4 * 13) / 2, d->Y - 13));
  const uint32_t rise = thousand.FromY - thousand.ToY;
  EXPECT_EQ(rise, 40 + ((uint64_t{5u * 134775813u + 1u} * 10) >> 32));

  TScoreUp& p = Effects().ScorePopups[0];
  G.LevelTicks += 500;
  const TFallFrame half = p.Step();
  EXPECT_EQ(std::make_tuple(half.X, half.Y, half.Level),
            std::make_tuple(p.FromX, p.FromY - static_cast<int32_t>(rise) / 2, 143));
  G.LevelTicks += 499;
  DrawScorePopups();
  EXPECT_TRUE(p.Active);
  G.LevelTicks += 1;
  EXPECT_EQ(p.Step().Level, 30);  // drawn one last time
  EXPECT_FALSE(p.Active);
}

TEST_F(EffectsTest, TheTwentyFirstScoreShowsNoPopupButStillCounts) {
  for (int i = 0; i < 20; ++i) ShowScorePopup(10);
  for (const TScoreUp& p : Effects().ScorePopups) EXPECT_TRUE(p.Active);
  const uint32_t state = RandomState;
  AddScore(50);
  EXPECT_EQ(G.Score, 50);
  EXPECT_EQ(RandomState, state);  // no pop-up started, no draw for its height
  ResetScorePopups();
  for (const TScoreUp& p : Effects().ScorePopups) EXPECT_FALSE(p.Active);
}

TEST_F(EffectsTest, CaptionsAndPopupsDrawOnTheDisplay) {
  TSurface& screen = form.DXDraw.Surface();
  ASSERT_FALSE(screen.IsEmpty());
  auto drawn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += screen.GetPixel(x, y) != 0;
    return n;
  };
  screen.Fill(0);
  StartFallingCaption("HurryUp");
  DrawFallingCaption();
  EXPECT_GT(drawn(0, 80, 640, 80 + 29), 0);

  screen.Fill(0);
  Pond(16, 11);
  PutDragon(5, 5);
  ShowScorePopup(88);
  DrawScorePopups();
  const TScoreUp& p = Effects().ScorePopups[0];
  EXPECT_GT(drawn(p.FromX, p.FromY, p.FromX + 26, p.FromY + 12), 0);

  screen.Fill(0);
  StartTransition("Complete", 1200, 0, 50, 200);
  G.LevelTicks += 1200;
  DrawTransitionStep();
  EXPECT_GT(drawn(220, 180, 420, 260), 0);
}

}  // namespace
