// The rules of play on small levels: hops, drowning, starving, pads sinking, the pacing of
// bonuses, the diamond's points, and levels that push the rules to their edges.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/score.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "core/sound.h"
#include "fake_audio_device.h"
#include "fake_video.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "game/level.h"
#include "game/rules.h"
#include "platform/clock.h"
#include "support/level_files.h"
#include "support/session_test.h"

namespace {

using level_files::Islands;

class PlayRules : public SessionTest {
 protected:
  void SetUp() override {
    InitSound(std::make_unique<TFakeAudioDevice>());
    G.SleepMs = 0;
  }
  void TearDown() override { ShutdownSound(); }

  void Load(const TLevelRecord& r) {
    session.PlayLevels({r});
    G.LevelNo = 1;
    G.Lives = 3;
    LoadLevel();
  }
  void Frame(uint32_t ms = 16) {
    clock.Advance(ms);
    app.Step();
  }
  // Frames of 16 ms for about ms milliseconds, stopping early when the test says so.
  template <typename Until>
  void Run(uint32_t ms, Until until) {
    for (uint32_t t = 0; t < ms && !until(); t += 16) Frame();
  }
  void Run(uint32_t ms) {
    Run(ms, [] { return false; });
  }

  TApplication& app = session.App();
};

TEST(DiamondPoints, WorkedExamples) {
  // 50 s left, difficulty 1, level 3, energy 100: 160 + 100 + 30 + 200.
  EXPECT_EQ(DiamondPoints(50, 1, 3, 100), 490);
  // No time left on level 5, difficulty 2, energy 0: 0 + 200 + 50 + 0, plus 100 for the time.
  EXPECT_EQ(DiamondPoints(0, 2, 5, 0), 350);
  EXPECT_EQ(DiamondPoints(99, 3, 15, 150), 990 + 300 + 150 + 900);
}

TEST(PathsCross, SameTargetOrSwappedCells) {
  const struct {
    int from, to, otherFrom, otherTo;
    bool cross;
  } cases[] = {
      {3, 4, 4, 3, true},   // head on: they swap cells
      {3, 4, 3, 4, true},   // the same hop
      {3, 4, 5, 4, false},  // meeting on cell 4 from both sides: not while hopping
      {2, 3, 5, 4, true},   // toward each other, targets side by side (the sprites must overlap)
      {2, 3, 6, 5, false},  // toward each other, targets two apart
      {3, 4, 2, 3, false},  // one behind the other
      {3, 3, 4, 3, false},  // the Dragon does not move on this axis
      {3, 4, 6, 6, false},  // nor does the other
  };
  for (const auto& c : cases)
    EXPECT_EQ(PathsCross(c.from, c.to, c.otherFrom, c.otherTo), c.cross)
        << c.from << "->" << c.to << " / " << c.otherFrom << "->" << c.otherTo;
}

TEST_F(PlayRules, LeavingASteppedPadWearsItAway) {
  Load(Islands(3, 1));
  TPad& p = G.Pads[2][1];
  p = TPad{.Kind = pkStepped, .MaxSize = 32, .Size = 32, .Period = 4000, .Growing = true};
  G.LevelTicks = 10000;
  LeavePad(2, 1);
  // 12 pixels off, shrinking from its present size; the period scales with the full size.
  EXPECT_EQ(p.Kind, pkStepped);
  EXPECT_EQ(p.MaxSize, 20);
  EXPECT_EQ(p.Size, 20);
  EXPECT_EQ(p.Period, 2500);
  EXPECT_FALSE(p.Growing);
  EXPECT_EQ(p.PhaseStart, 10000);
  LeavePad(2, 1);
  EXPECT_EQ(p.Kind, pkWater);
  EXPECT_EQ(p.Size, 0);
  // Islands and lily pads do not wear.
  G.Pads[1][1].Size = 51;
  LeavePad(1, 1);
  EXPECT_EQ(G.Pads[1][1].Size, 51);
}

TEST(WornPeriod, RoundsToTheNearestAndHalvesToEven) {
  const struct {
    uint16_t period, maxSize, worn;
  } cases[] = {
      {4000, 32, 2500},     // exact
      {645, 40, 452},       // 451.5: up to the even neighbour
      {635, 40, 444},       // 444.5: down to the even neighbour
      {1000, 90, 867},      // 866.67
      {1000, 21, 429},      // 428.57
      {65535, 400, 63569},  // 63568.95, the largest product
      {7, 24, 4},           // 3.5: up to 4
      {5, 24, 2},           // 2.5: down to 2
  };
  for (const auto& c : cases)
    EXPECT_EQ(WornPeriod(c.period, c.maxSize), c.worn) << c.period << " at " << c.maxSize;
}

TEST_F(PlayRules, HopArcsAndLands) {
  Load(Islands(8, 1));  // cells 80 pixels wide
  ASSERT_NE(Dragon, nullptr);
  const int32_t x0 = Dragon->X, y0 = Dragon->Y;
  RequestJump(1, 0);
  EXPECT_EQ(Dragon->TargetColumn, 2);
  RequestJump(1, 0);  // ignored: a hop is under way
  Dragon->Hop(125);
  EXPECT_EQ(Dragon->X, x0 + 40);
  EXPECT_EQ(Dragon->Y, y0 - 40);  // half the distance across at the middle
  Dragon->Hop(250);
  EXPECT_EQ(Dragon->Column, 2);
  EXPECT_EQ(Dragon->X, x0 + 80);
  EXPECT_EQ(Dragon->Y, y0);
  EXPECT_EQ((std::pair{G.DragonColumn, G.DragonRow}), (std::pair{2, 1}));
  // At the edge the Dragon only turns.
  Dragon->PlaceAt(1, 1);
  RequestJump(-1, 0);
  EXPECT_FALSE(Dragon->Hopping());
  EXPECT_TRUE(Dragon->FacingLeft);
}

// How a life is lost, each on a level made for it: the death starts in the frame given and
// not before.
TEST_F(PlayRules, DrownsOnLandingStarvesAndSinksWithItsPad) {
  struct TCase {
    const char* name;
    void (*make)(TLevelRecord&);
    void (*act)();
    uint8_t reason;
  } cases[] = {
      {"hop into water", [](TLevelRecord& r) { r.Cell(2, 1) = TLevelCell{}; },
       [] { RequestJump(1, 0); }, drDrowned},
      {"pad sinks under it",
       [](TLevelRecord& r) {
         r.Cell(1, 1) = TLevelCell{.Kind = pkLily, .MaxSize = 4, .Size = 4, .Period = 300};
       },
       [] {}, drDrowned},
      {"no energy", [](TLevelRecord&) {}, [] { Dragon->Energy = 1; }, drStarved},
  };
  for (const TCase& c : cases) {
    TLevelRecord r = Islands(3, 1);
    r.DragonY = 1;
    c.make(r);
    Load(r);
    c.act();
    bool sawHopInWater = false;
    Run(2000, [&] {
      if (Dragon && Dragon->Hopping() && G.GameState == gsPlaying) sawHopInWater = true;
      return G.GameState != gsPlaying;
    });
    EXPECT_EQ(G.GameState, gsDying) << c.name;
    EXPECT_EQ(G.DeathReason, c.reason) << c.name;
    EXPECT_EQ(G.Lives, 2) << c.name;
    if (std::string(c.name) == "hop into water") {
      EXPECT_TRUE(sawHopInWater);  // never drowned in mid-hop
    }
  }
}

TEST_F(PlayRules, DeathRebuildsTheLevelWithANewDragon) {
  TLevelRecord r = Islands(3, 1);
  r.DragonY = 1;
  r.Cell(2, 1) = TLevelCell{};
  Load(r);
  RequestJump(1, 0);
  Run(400);
  ASSERT_EQ(G.GameState, gsDying);
  Run(2500, [] { return G.GameState != gsDying; });
  EXPECT_EQ(G.GameState, gsPlaying);
  ASSERT_NE(Dragon, nullptr);
  EXPECT_EQ(Dragon->Column, 1);
  EXPECT_TRUE(Dragon->Visible);
  EXPECT_FALSE(Dragon->IsDead);
  EXPECT_EQ(G.Lives, 2);
}

TEST_F(PlayRules, LastLifeEndsInGameOver) {
  TLevelRecord r = Islands(3, 1);
  r.DragonY = 1;
  r.Cell(2, 1) = TLevelCell{};
  Load(r);
  G.Lives = 1;
  RequestJump(1, 0);
  Run(2800, [] { return G.GameState != gsPlaying && G.GameState != gsDying; });
  EXPECT_EQ(G.Lives, 0);
  EXPECT_TRUE(Dragon == nullptr || Dragon->IsDead);  // killed, never rebuilt
}

TEST_F(PlayRules, IslandSinksWhenTimeIsUp) {
  Load(Islands(3, 1));
  TPad& p = G.Pads[3][1];
  p = TPad{.Kind = pkIsland, .MaxSize = 45, .Size = 45};
  G.LevelTicks = 20000;
  SinkAllPads();
  EXPECT_EQ(p.Kind, pkLily);
  EXPECT_EQ(p.Period, 1200);
  G.LevelTicks = 21199;
  SinkAllPads();
  EXPECT_GT(p.Size, 0);
  G.LevelTicks = 21200;
  SinkAllPads();
  EXPECT_EQ(p.Size, 0);
  EXPECT_EQ(p.Kind, pkWater);
  EXPECT_EQ(p.EmptySince, 21200);
}

TEST_F(PlayRules, PadCycleGrowsRestsShrinksAndRests) {
  Load(Islands(3, 1));
  TPad& p = G.Pads[2][1];
  p = TPad{.Kind = pkLily,
           .MaxSize = 90,
           .Size = 10,
           .HoldFull = 500,
           .HoldEmpty = 300,
           .Period = 1000,
           .PhaseStart = 1000,
           .Growing = true};
  const struct {
    int32_t t, size;
  } steps[] = {{1500, 50}, {2000, 90}, {2499, 90}, {2500, 90}, {3000, 50},
               {3500, 0},  {3799, 0},  {3800, 10}, {4300, 50}};
  for (const auto& s : steps) {
    G.LevelTicks = s.t;
    AnimatePads();
    EXPECT_EQ(p.Size, s.size) << "t = " << s.t;
  }
}

// A shrinking pad stored larger than its full size shrinks on from that size, drawn as it goes
// (larger than its cell, once far larger than the whole pond), and then lives its normal cycle.
TEST_F(PlayRules, APadStoredAboveItsFullSizeShrinksFromThatSize) {
  const struct { uint16_t units, period; } cases[] = {{40, 1000}, {MaxSizeUnits, 10}};
  for (const auto [units, period] : cases) {
    TLevelRecord r = Islands(3, 1);
    TLevelCell& c = r.Cell(2, 1);
    c = TLevelCell{
        .Kind = pkLily, .MaxSize = 7, .Size = units, .HoldEmpty = 5000, .Period = period};
    Load(r);
    const TPad& p = G.Pads[2][1];
    const uint16_t stored = SizeUnitsToPixels(units);
    EXPECT_GT(p.PhaseStart, G.LevelTicks) << units;
    uint16_t last = stored;
    bool wasAboveFull = false;
    Run(10000, [&] {
      EXPECT_LE(p.Size, last) << units << " units at " << G.LevelTicks;
      wasAboveFull |= p.Size > 90;
      last = p.Size;
      return p.Size == 0;
    });
    EXPECT_TRUE(wasAboveFull) << units;
    EXPECT_EQ(p.Size, 0) << units;
  }
}

// A level the reader accepts never breaks play: each case plays until something happens.
TEST_F(PlayRules, LevelsAtTheEdgesPlayByTheRules) {
  struct TCase {
    const char* name;
    void (*make)(TLevelRecord&);
    TGameState want;
  } cases[] = {
      // A lily pad with no period sinks in the first frame, and the Dragon on it drowns.
      {"pad with period 0",
       [](TLevelRecord& r) { r.Cell(1, 1) = TLevelCell{.Kind = pkLily, .MaxSize = 4, .Size = 4}; },
       gsDying},
      // One cell: the Dragon cannot hop anywhere, the late diamond waits for it to leave.
      {"1 x 1 grid",
       [](TLevelRecord& r) {
         r = Islands(1, 1);
         r.DiamondDelay = 1;
         r.DiamondX = r.DiamondY = 1;
       },
       gsPlaying},
      // No time: every pad sinks at once and the Dragon drowns.
      {"time 0", [](TLevelRecord& r) { r.TimeLimit = 0; }, gsDying},
      // The diamond under the Dragon is caught in the first frame: the level is done.
      {"diamond on the start cell",
       [](TLevelRecord& r) {
         r.DiamondX = 1;
         r.DiamondY = 1;
       },
       gsTransition},
  };
  for (const TCase& c : cases) {
    TLevelRecord r = Islands(3, 1);
    r.DragonY = 1;
    c.make(r);
    Load(r);
    if (G.GridCols == 1) {
      // Every way out is the edge of the board: the Dragon only turns.
      for (int dx : {-1, 1}) RequestJump(dx, 0);
      for (int dy : {-1, 1}) RequestJump(0, dy);
      EXPECT_FALSE(Dragon->Hopping());
    }
    Run(3000, [] { return G.GameState != gsPlaying; });
    EXPECT_STREQ(GameStateName(G.GameState), GameStateName(c.want)) << c.name;
  }
}

TEST_F(PlayRules, BonusesComeAtTheirIntervalIfTheAccumulatorCanReachIt) {
  const struct {
    int32_t seconds, bagEntries;
    bool comes;
  } cases[] = {
      {60, 2, true},   // every 30 000 ms
      {70, 1, false},  // 70 000 ms: more than the 16-bit accumulator ever holds
  };
  for (const auto& c : cases) {
    TLevelRecord r = Islands(4, 3);
    r.TimeLimit = static_cast<uint16_t>(c.seconds);
    r.BonusCounts[4] = static_cast<uint16_t>(c.bagEntries);  // life bonuses
    Load(r);
    Run(c.seconds * 1000 - 500, [] {
      Dragon->Energy = 150;  // kept fed for the whole level
      return false;
    });
    EXPECT_EQ(G.BonusCount < c.bagEntries, c.comes) << c.seconds << " s";
  }
}

TEST_F(PlayRules, PlacedSoundsHearTheDragonOfTheLevel) {
  TLevelRecord r = Islands(16, 11);
  r.DragonX = 5;
  r.DragonY = 5;
  Load(r);
  G.SFXVol = 8;
  PlaySoundAt("MJump", 5, 5);
  const std::vector<TVoice*>& buffers = DXWaveList.Find("MJump").Buffers();
  ASSERT_FALSE(buffers.empty());
  EXPECT_EQ(buffers.back()->Volume, SoundVolumeFor(8));
  EXPECT_EQ(buffers.back()->Pan, 0);
}

TEST_F(PlayRules, LateDiamondWaitsForTheDragonToLeaveItsCell) {
  TLevelRecord r = Islands(3, 1);
  r.DragonY = 1;
  r.DiamondDelay = 1;
  r.DiamondX = 1;
  r.DiamondY = 1;
  Load(r);
  G.SecondsElapsed = 1;
  PlaceDiamond();
  EXPECT_EQ(G.DiamondDelay, 1);
  Dragon->PlaceAt(2, 1);
  PlaceDiamond();
  EXPECT_EQ(G.DiamondDelay, 0);
}

}  // namespace

namespace {

TEST_F(PlayRules, KeyAfterTheLevelOrTheGame) {
  const struct {
    TGameState state;
    int32_t level, lives;
    TGameState want;
    int32_t wantLevel;
  } cases[] = {
      {gsLevelDone, 3, 2, gsPlaying, 4},  // on to the next level
      {gsLevelDone, 15, 2, gsMenu, 15},   // the last one: back to the menu
      {gsDead, 3, 0, gsMenu, 3},          // game over
      {gsLevelDone, 15, 0, gsMenu, 15},
  };
  std::vector<TLevelRecord> levels(LevelSetSize, Islands(3, 1));
  session.PlayLevels(levels);
  for (const auto& c : cases) {
    G.LevelNo = c.level;
    G.Lives = c.lives;
    LoadLevel();
    G.GameState = c.state;
    G.LevelTicks = 5000;
    ContinueAfterKey();
    EXPECT_STREQ(GameStateName(G.GameState), GameStateName(c.want)) << c.level;
    EXPECT_EQ(G.LevelNo, c.wantLevel);
    if (c.want == gsMenu) {
      EXPECT_EQ(SpriteRoot().ChildCount(), 0);
      EXPECT_TRUE(form.DXTimer1.Enabled());
    }
  }
}

}  // namespace
