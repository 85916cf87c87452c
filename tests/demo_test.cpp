// Demos: the demo file and its faults, the playback's timing of steps, what a demo leaves
// behind, and the shipped demos winning at short, middling and long frames.
#include "game/demo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "actors/dragon.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "game/demo_file.h"
#include "game/in_out_error.h"
#include "support/level_files.h"
#include "tools/demos/demo_play.h"
#include "tools/drive/driver.h"

namespace {

const std::string BuildDir = TARVELLE_BUILD_DIR "/";

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A demo record: its head and stepsWritten steps "1500 right".
std::vector<uint8_t> Record(uint16_t stepCount, uint16_t level, size_t stepsWritten) {
  static constexpr uint8_t step[] = {0xDC, 0x05, 0, 0, 39, 0, 0, 0};
  std::vector<uint8_t> b(4 + stepsWritten * sizeof step);
  b[0] = static_cast<uint8_t>(stepCount);
  b[1] = static_cast<uint8_t>(stepCount >> 8);
  b[2] = static_cast<uint8_t>(level);
  b[3] = static_cast<uint8_t>(level >> 8);
  for (size_t i = 0; i < stepsWritten; ++i)
    std::copy(std::begin(step), std::end(step), &b[4 + i * sizeof step]);
  return b;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts, int times = 1) {
  std::vector<uint8_t> out;
  for (int i = 0; i < times; ++i)
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A game folder with the shipped levels and a demo file of our own, run by the headless driver
// at 16 ms a frame.
class DemoPlay : public ::testing::Test {
 protected:
  void Use(const std::vector<TDemo>& demos) {
    folder.Write("LevelsFree.dat", ReadBytes(BuildDir + "LevelsFree.dat"));
    folder.Write("DemoFree.dat", EncodeDemoFile(demos));
    TDriverOptions o;
    o.Data = folder.Folder();
    driver = std::make_unique<THeadlessDriver>(o);
    G.GameState = gsMenu;
  }
  // Frames until the condition holds (at most limit ms); the level clock then.
  template <class F>
  int32_t FramesUntil(F done, int32_t limit = 20000) {
    const int32_t start = G.LevelTicks;
    while (!done() && G.LevelTicks - start < limit) driver->RunFrame();
    return G.LevelTicks;
  }

  level_files::TTempFolder folder;
  std::unique_ptr<THeadlessDriver> driver;
};

TEST(DemoFile, RefusesWhatWouldOverflowTheTablesOrLeaveNoDemo) {
  const std::vector<uint8_t> good = Record(2, 3, 2);
  const struct {
    std::vector<uint8_t> Bytes;
    const char* Message;
  } cases[] = {
      {{}, "DemoFree.dat: the file holds no demo"},
      {Record(200, 1, 200), "DemoFree.dat, demo 1: 200 steps, at most 199"},
      {Join({good}, 31), "DemoFree.dat, demo 31: more than 30 demos in the file"},
      {Record(1, 0, 1), "DemoFree.dat, demo 1: level 0, not 1 to 15"},
      {Join({good, Record(1, 16, 1)}), "DemoFree.dat, demo 2: level 16, not 1 to 15"},
      {Join({good, {1, 0, 3}}), "DemoFree.dat, demo 2: the file ends inside the head"},
      {Record(3, 1, 2), "DemoFree.dat, demo 1: the file ends inside the steps"},
  };
  for (const auto& c : cases) {
    try {
      ParseDemoFile(c.Bytes, "DemoFree.dat", LevelSetSize);
      ADD_FAILURE() << "accepted: " << c.Message;
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), c.Message);
    }
  }
  // The largest valid file: 30 demos of 199 steps, each step kept.
  const auto demos = ParseDemoFile(Join({Record(199, 15, 199)}, 30), "DemoFree.dat", LevelSetSize);
  ASSERT_EQ(demos.size(), 30u);
  EXPECT_EQ(demos[29].Steps.size(), 199u);
  EXPECT_EQ(demos[29].Steps[198].Time, 1500);
}

TEST_F(DemoPlay, ABadFileLeavesTheMenuWithAMessageAndIsReadAgainNextTime) {
  Use({});
  folder.Write("DemoFree.dat", Record(250, 1, 250));
  try {
    StartDemo();
    ADD_FAILURE() << "the demo started";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "DemoFree.dat, demo 1: 250 steps, at most 199");
  }
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_EQ(Demos().DemoCount, 0);
  std::filesystem::remove(folder.Folder() + "DemoFree.dat");
  StartDemo();  // no file: nothing happens, silently
  EXPECT_EQ(G.GameState, gsMenu);
  folder.Write("DemoFree.dat", EncodeDemoFile({{2, {{1500, 39}}}}));
  StartDemo();
  EXPECT_EQ(G.GameState, gsDemo);
  EXPECT_EQ(G.LevelNo, 2);
}

TEST_F(DemoPlay, AStepIsAppliedInTheFirstFrameAtItsTimeWithTheDragonStanding) {
  // Level 1: the Dragon stands at (1, 6) with pads to its right and above.
  Use({{1, {{1500, 39}, {1500, 38}}}});
  LoadDemosOnce();
  StartDemoAt(1);
  const int32_t jumped = FramesUntil([] { return Dragon->Hopping(); });
  EXPECT_GE(jumped, 1500);
  EXPECT_LT(jumped, 1500 + 16);
  EXPECT_EQ(Dragon->JumpStart, jumped);
  EXPECT_EQ(Dragon->TargetColumn, 2);
  // The second step has the same time: it waits for the landing, in a frame of its own.
  const int32_t landed = FramesUntil([] { return !Dragon->Hopping(); });
  EXPECT_EQ(Dragon->Column, 2);
  EXPECT_EQ(Demos().DemoStepIndex, 2);
  driver->RunFrame();
  EXPECT_TRUE(Dragon->Hopping());
  EXPECT_EQ(Dragon->JumpStart, landed + 16);
  EXPECT_EQ(Dragon->TargetRow, 5);
  EXPECT_EQ(Demos().DemoStepIndex, 3);
}

TEST_F(DemoPlay, AKeyThatIsNotAnArrowStopsTheMoves) {
  Use({{1, {{100, 65}, {200, 39}}}});
  LoadDemosOnce();
  StartDemoAt(1);
  FramesUntil([] { return false; }, 3000);
  EXPECT_EQ(Dragon->Column, 1);
  EXPECT_FALSE(Dragon->Hopping());
  EXPECT_EQ(Demos().DemoStepIndex, 1);
  EXPECT_EQ(G.GameState, gsDemo);
}

TEST_F(DemoPlay, DemosFollowEachOtherAndLeaveTheDifficultyAndMaxLevelAsTheyWere) {
  Use({{4, {}}, {9, {}}});
  G.Difficulty = 3;
  G.MaxLevel = 2;
  StartDemo();
  EXPECT_EQ(G.Difficulty, 1);
  // The demo's Dragon stands on its pad until the time runs out and it drowns; a new demo
  // starts at the end of the death.
  FramesUntil([] { return G.GameState == gsDying; }, 400000);
  ASSERT_EQ(G.GameState, gsDying);
  FramesUntil([] { return G.GameState == gsDemo; });
  ASSERT_EQ(G.GameState, gsDemo);
  EXPECT_LT(G.LevelTicks, 1000);
  EXPECT_EQ(G.Difficulty, 1);
  // F2 shows the frame counter and the demo goes on; any other key ends it.
  driver->Run(ParseScript("tap F2"), std::cout);
  EXPECT_EQ(G.GameState, gsDemo);
  EXPECT_TRUE(G.ShowFps);
  driver->Run(ParseScript("tap Space"), std::cout);
  EXPECT_EQ(G.GameState, gsMenu);
  EXPECT_FALSE(G.DemoMode);
  EXPECT_EQ(G.Difficulty, 3);
  EXPECT_EQ(G.MaxLevel, 2);
}

// The playback without pictures, for speed: the actors move exactly as when drawn (the tool
// `tarvelle-demos check` shows them with pictures).
TEST(ShippedDemos, EveryOneWinsAtShortMiddlingAndLongFrames) {
  const int32_t n = CountDemos(BuildDir);
  ASSERT_GE(n, LevelSetSize);
  bool levels[16] = {};
  for (int32_t d = 1; d <= n; ++d) {
    for (int32_t ms : {7, 16, 33}) {
      const TDemoOutcome o = PlayDemo(BuildDir, d, ms, false);
      EXPECT_TRUE(o.Won) << "demo " << d << " (level " << o.Level << ") at " << ms << " ms";
      levels[o.Level] = true;
    }
  }
  for (int level = 1; level <= LevelSetSize; ++level) EXPECT_TRUE(levels[level]) << "level " << level;
}

}  // namespace
