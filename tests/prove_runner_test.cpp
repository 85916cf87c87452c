// The editor's proof: the player bot on a level at the three difficulties, on a thread of its
// own, with progress, results per difficulty and a stop.
#include "tools/editor/prove_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/pad.h"
#include "game/level_reader.h"
#include "game/rules.h"
#include "support/level_files.h"
#include "tools/bot/bot_search.h"
#include "tools/editor/level_picture.h"

namespace {

// Three islands in a row, the Dragon on the left, the diamond on the right; with `gap` the
// middle one is water and the diamond can't be reached.
TLevelRecord Row(bool gap, uint16_t seconds) {
  TLevelRecord r = level_files::Islands(3, 1);
  r.TimeLimit = seconds;
  r.FoodShare = {40, 30, 15, 10, 5};
  if (gap) r.Cell(2, 1) = TLevelCell{};
  return r;
}

TProveRunner::TStatus Proved(const TLevelRecord& level) {
  TProveRunner runner;
  EXPECT_TRUE(runner.Start(level)) << runner.Status().Error;
  runner.Wait();
  return runner.Status();
}

TEST(ProveRunner, WinsASmallPondAtEveryDifficultyAndGivesTheRoute) {
  const TProveRunner::TStatus s = Proved(Row(false, 30));
  EXPECT_FALSE(s.Running);
  EXPECT_FALSE(s.Stopped);
  EXPECT_EQ(s.Error, "");
  EXPECT_DOUBLE_EQ(s.Progress, 1.0);
  for (int d = 1; d <= 3; ++d) {
    const TProofResult& r = s.Results[d - 1];
    EXPECT_EQ(r.Difficulty, d);
    EXPECT_TRUE(r.Done && r.Won) << "difficulty " << d;
    EXPECT_GT(r.TimeLeft, 25);
    EXPECT_LE(r.TimeLeft, 30);
    EXPECT_GT(r.Energy, 0);
    ASSERT_GE(r.Steps.size(), 2u);  // two hops to the right
    EXPECT_EQ(r.Steps.back().KeyCode, 39);
  }
}

TEST(ProveRunner, SaysAPondCutOffByWaterIsNotWon) {
  const TProveRunner::TStatus s = Proved(Row(true, 4));
  for (const TProofResult& r : s.Results) {
    EXPECT_TRUE(r.Done);
    EXPECT_FALSE(r.Won);
    EXPECT_TRUE(r.Steps.empty());
  }
}

TEST(ProveRunner, RefusesALevelWithAnErrorAndStopsWhenAsked) {
  TProveRunner runner;
  TLevelRecord broken = Row(false, 30);
  broken.Cell(2, 1).MaxSize = 0;
  EXPECT_FALSE(runner.Start(broken));
  EXPECT_EQ(runner.Status().Error,
            "mend the level first: cell (2, 1): MaxSize is 0, at least 1 "
            "for an island");

  ASSERT_TRUE(runner.Start(Row(true, 999)));  // long enough to be still running when stopped
  EXPECT_FALSE(runner.Start(Row(false, 30)));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (runner.Status().Progress == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  runner.Stop();
  runner.Wait();
  const TProveRunner::TStatus s = runner.Status();
  EXPECT_FALSE(s.Running);
  EXPECT_TRUE(s.Stopped);
  EXPECT_LT(s.Progress, 1.0);
  EXPECT_FALSE(s.Results[2].Done);
}

// The route the proof gives is watched in the editor's picture of the level: played there it
// must win as it did for the bot (which plays without drawing), on a level of the game with
// moving pads, monsters and food.
TEST(ProveRunner, ARouteItFoundWatchedInTheEditorEndsWon) {
  const TLevelRecord level = TLevelReader(TARVELLE_BUILD_DIR "/LevelsFree.dat").ReadLevel(3);
  TBotOptions o;
  o.Levels = {level};
  o.Difficulty = 2;
  const TBotResult found = SearchWin(o);
  ASSERT_TRUE(found.Won);
  ASSERT_GE(found.Steps.size(), 3u);

  TLevelPicture picture(TARVELLE_BUILD_DIR);
  picture.StartRoute(level, 2, found.Steps);
  int frames = 0;
  while (picture.StepRoute() && frames < 100000) ++frames;
  EXPECT_TRUE(G.GameState == gsLevelDone ||
              (G.GameState == gsTransition && TransitionInterrupted(gsLevelDone)))
      << GameStateName(G.GameState);
  EXPECT_EQ(G.TimeLeft, found.TimeLeft);
  EXPECT_EQ(G.Score, found.Score);
}

}  // namespace
