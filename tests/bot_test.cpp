// The player bot's saved games: putting a saved game back and playing on gives exactly what
// playing on from the first time gave, monsters, food and random draws included. The human-like
// player, its win rate over many tries in child processes, and the curve's command line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <sstream>

#include "actors/dragon.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/pad.h"
#include "core/random.h"
#include "game/rules.h"
#include "tests/support/level_files.h"
#include "tools/bot/bot_search.h"
#include "tools/bot/curve.h"
#include "tools/bot/game_snapshot.h"
#include "tools/bot/human_player.h"
#include "tools/bot/win_rate.h"
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

const THumanProfile& HumanProfileNamed(const char* name) {
  const THumanProfile* p = FindHumanProfile(name);
  EXPECT_NE(p, nullptr) << name;
  return p ? *p : HumanProfiles().front();
}

// A row of three islands, the Dragon at the left end and the diamond at the right; with the
// middle one water, no one can get across.
TLevelRecord CrossingRow(bool cutOff) {
  TLevelRecord r = level_files::Islands(3, 1);
  r.TimeLimit = 12;
  r.FoodShare = {40, 30, 15, 10, 5};
  if (cutOff) r.Cell(2, 1) = TLevelCell{};
  return r;
}

bool NoChildProcessLeft() {
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(HumanPlayer, ATryRepeatsExactlyWithItsSeedAndAnotherSeedPlaysAnother) {
  TBotOptions o;
  o.Level = 2;
  o.Difficulty = 2;
  auto play = [&](uint32_t seed) {
    o.Seed = seed;
    std::ostringstream keys;
    const THumanTry t = PlayLikeHuman(o, HumanProfileNamed("casual"),
                                      [&](const std::string& line) { keys << line << "\n"; });
    keys << t.Won << " " << static_cast<int>(t.Loss) << " " << t.Frames << " " << t.Hops << " "
         << t.Score << " " << t.TimeLeft << " " << t.Energy;
    return keys.str();
  };
  const std::string first = play(7);
  EXPECT_EQ(play(7), first);
  EXPECT_NE(play(8), first);
}

TEST(HumanPlayer, TheProfilesAreOrderedOnAnEasyLevel) {
  TBotOptions o;
  o.Level = 2;
  o.Difficulty = 2;
  o.Seed = 5;
  int32_t won[3] = {};
  for (int i = 0; i < 3; ++i) won[i] = MeasureWinRate(o, HumanProfiles()[i], 30, 2, nullptr).Won;
  EXPECT_EQ(HumanProfiles()[0].Name, "first-time");
  EXPECT_LE(won[0], won[1]);
  EXPECT_LE(won[1], won[2]);
  EXPECT_LT(won[0], won[2]);  // the profiles do differ
  EXPECT_GE(won[2], 25);      // a skilled player wins an easy level nearly always
}

TEST(HumanPlayer, WinsAPondThatCanBeCrossedAndNeverOneThatCannot) {
  for (const bool cutOff : {false, true}) {
    TBotOptions o;
    o.Levels = {CrossingRow(cutOff)};
    o.Difficulty = 1;
    EXPECT_EQ(SearchWin(o).Won, !cutOff);  // the perfect player agrees with the pond
    for (const THumanProfile& p : HumanProfiles()) {
      const TWinRate w = MeasureWinRate(o, p, 6, 2, nullptr);
      EXPECT_EQ(w.Played, 6);
      if (cutOff) {
        EXPECT_EQ(w.Won, 0) << p.Name;
        // It waits on its island for the time to run out, or slips into the water.
        EXPECT_EQ(w.Losses[static_cast<size_t>(TLoss::Time)] +
                      w.Losses[static_cast<size_t>(TLoss::Drowned)],
                  6)
            << p.Name;
      } else {
        EXPECT_GE(w.Won, 5) << p.Name;
        EXPECT_GT(w.MedianTimeLeft, 5) << p.Name;
      }
    }
  }
}

TEST(WinRate, ChildrenShareTheTriesWithoutChangingTheFigures) {
  TBotOptions o;
  o.Level = 4;
  o.Difficulty = 2;
  o.Seed = 3;
  const THumanProfile& p = HumanProfileNamed("first-time");
  int32_t calls = 0, last = 0;
  const TWinRate one = MeasureWinRate(o, p, 9, 1, nullptr);
  const TWinRate three = MeasureWinRate(o, p, 9, 3, [&](int32_t done, int32_t total) {
    EXPECT_EQ(total, 9);
    EXPECT_GE(done, last);
    last = done;
    ++calls;
    return true;
  });
  EXPECT_GT(calls, 0);
  EXPECT_EQ(last, 9);
  EXPECT_EQ(one.Played, 9);
  EXPECT_EQ(three.Played, one.Played);
  EXPECT_EQ(three.Won, one.Won);
  EXPECT_EQ(three.Losses, one.Losses);
  EXPECT_EQ(three.MedianTimeLeft, one.MedianTimeLeft);
  EXPECT_EQ(three.MedianEnergy, one.MedianEnergy);
  ASSERT_EQ(three.Tries.size(), one.Tries.size());
  for (size_t i = 0; i < one.Tries.size(); ++i) {
    EXPECT_EQ(three.Tries[i].Frames, one.Tries[i].Frames) << "try " << i;
    EXPECT_EQ(three.Tries[i].Hops, one.Tries[i].Hops) << "try " << i;
  }
  // The tries' own seeds: the same measurement seeds them alike, the next one differently.
  EXPECT_EQ(TrySeed(3, 0), TrySeed(3, 0));
  EXPECT_NE(TrySeed(3, 1), TrySeed(4, 0));
  EXPECT_TRUE(NoChildProcessLeft());
}

TEST(WinRate, CancellingKillsTheChildrenAndADeadChildIsNoLoss) {
  TBotOptions o;
  o.Level = 15;
  o.Difficulty = 3;
  const TWinRate cancelled = MeasureWinRate(o, HumanProfileNamed("skilled"), 200, 2,
                                            [](int32_t, int32_t) { return false; });
  EXPECT_TRUE(cancelled.Cancelled);
  EXPECT_LT(cancelled.Played, 200);
  EXPECT_TRUE(NoChildProcessLeft());

  // A level the game can't build: every child dies on its first try.
  TLevelRecord broken = CrossingRow(false);
  broken.GridCols = 40;
  o.Levels = {broken};
  o.Level = 1;
  const TWinRate dead = MeasureWinRate(o, HumanProfileNamed("casual"), 4, 2, nullptr);
  EXPECT_EQ(dead.Crashed, 4);
  EXPECT_EQ(dead.Played, 0);
  EXPECT_EQ(dead.Won, 0);
  EXPECT_EQ(dead.CommonestLoss(), TLoss::None);
  EXPECT_TRUE(NoChildProcessLeft());
}

TEST(Curve, RefusesBadOptionsWithAClearMessage) {
  const struct {
    std::vector<std::string> Words;
    std::string Message;
  } cases[] = {
      {{"--tries", "0"}, "--tries: \"0\" is not a number 1 to 100000"},
      {{"--tries", "12x"}, "--tries: \"12x\" is not a number 1 to 100000"},
      {{"--jobs", "-2"}, "--jobs: \"-2\" is not a number 1 to 256"},
      {{"--difficulty", "4"}, "--difficulty: \"4\" is not 1, 2, 3 or all"},
      {{"--level", "16"}, "--level: \"16\" is not a level 1 to 15"},
      {{"--profile", "expert"},
       "--profile: no profile \"expert\" (first-time, casual, skilled or all)"},
      {{"--picture", "/no/such/folder/curve.png"}, "--picture: no folder /no/such/folder"},
      {{"--levels"}, "--levels needs a value"},
      {{"--fast"}, "unknown option --fast"},
  };
  for (const auto& c : cases) {
    TCurveArgs a;
    EXPECT_EQ(ParseCurveArgs(c.Words, a), c.Message);
  }
  TCurveArgs a;
  ASSERT_EQ(ParseCurveArgs({"--profile", "skilled,casual", "--difficulty", "all"}, a), "");
  EXPECT_EQ(a.Profiles, (std::vector<std::string>{"skilled", "casual"}));
  EXPECT_EQ(a.Difficulties, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(a.Tries, DefaultCurveTries);

  // A level file that can't be played is named with what is wrong, and nothing is measured.
  level_files::TTempFolder dir;
  dir.Write("short.dat", {'n', 'o', 't'});
  const std::string file = dir.Folder() + "short.dat";
  ASSERT_EQ(ParseCurveArgs({"--levels", file}, a), "");
  std::ostringstream out, err;
  EXPECT_EQ(RunCurve(a, out, err), 2);
  EXPECT_NE(err.str().find("short.dat"), std::string::npos) << err.str();
  EXPECT_EQ(out.str(), "");
}

}  // namespace
