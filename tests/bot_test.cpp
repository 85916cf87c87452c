// The player bot's saved games: putting a saved game back and playing on gives exactly what
// playing on from the first time gave, monsters, food and random draws included.
#include <gtest/gtest.h>

#include "actors/dragon.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/random.h"
#include "game/rules.h"
#include "tools/bot/bot_search.h"
#include "tools/bot/game_snapshot.h"
#include "tools/drive/driver.h"

namespace {

TEST(GameSnapshot, RestoringPlaysOnExactlyAsBefore) {
  THeadlessDriver driver(TDriverOptions{});
  G.Difficulty = 3;
  G.MaxLevel = 15;
  NewGame(11);  // monsters, food and random pads
  auto play = [&](int frames) {
    for (int i = 0; i < frames; ++i) {
      if (i % 40 == 5) RequestJump(i % 80 == 5 ? 1 : 0, i % 80 == 5 ? 0 : -1);
      driver.RunFrame();
    }
    return driver.StateJson() + " " + std::to_string(RandomState) + " " +
           std::to_string(SpriteRoot().ChildCount());
  };
  play(300);
  const TGameSnapshot saved(driver.VirtualClock());
  const std::string first = play(400);
  saved.Restore();
  EXPECT_EQ(play(400), first);
  saved.Restore();
  EXPECT_EQ(play(400), first);
}

TEST(Bot, WinsTheFirstLevelAndSaysHow) {
  TBotOptions o;
  o.Level = 1;
  o.Difficulty = 2;
  const TBotResult r = SearchWin(o);
  ASSERT_TRUE(r.Won);
  EXPECT_GT(r.TimeLeft, 0);
  EXPECT_FALSE(r.Steps.empty());
}

}  // namespace
