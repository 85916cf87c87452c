// The game pad's stick: dead zone, repeat counting and how it hops the Dragon.
#include <gtest/gtest.h>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "fake_video.h"
#include "front/input.h"
#include "game/level.h"
#include "platform/clock.h"
#include "support/level_files.h"
#include "support/session_test.h"

namespace {

class Gamepad : public SessionTest {
 protected:
  void SetUp() override {
    session.PlayLevels({level_files::Islands(5, 5)});
    G.LevelNo = 1;
    LoadLevel();
    Dragon->PlaceAt(3, 3);
    G.AxisCentreX = G.AxisCentreY = 32768;
  }
  // A report with the stick pushed (dx, dy) sixteenths of the way, after `after` ms.
  void Report(int32_t dx, int32_t dy, uint32_t after = 30) {
    clock.Advance(after);
    const auto x = static_cast<uint32_t>(32768 + dx * 2048);
    const auto y = static_cast<uint32_t>(32768 + dy * 2048);
    form.JoyMove(x | y << 16);
  }

};

TEST_F(Gamepad, HeldStickHopsOncePerRepeatCount) {
  G.JoyRepeat = 3;
  Report(15, 0, 500);  // the first report after a pause only starts the count
  Report(15, 0);
  EXPECT_FALSE(Dragon->Hopping());
  EXPECT_EQ(G.JoyRight, 1);
  Report(15, 0);
  Report(15, 0);
  EXPECT_TRUE(Dragon->Hopping());
  EXPECT_EQ(Dragon->TargetColumn, 4);
  EXPECT_EQ(G.JoyRight, 0);
}

TEST_F(Gamepad, DeadZoneAndPausesRestartTheCount) {
  G.JoyRepeat = 3;
  Report(0, 0, 500);
  Report(15, 0);
  Report(15, 0);
  EXPECT_EQ(G.JoyRight, 2);
  Report(7, 0);  // inside the dead zone: the count starts again
  EXPECT_EQ(G.JoyRight, 0);
  Report(15, 0);
  Report(15, 0);
  Report(15, 0, 201);  // after a pause the report is dropped and the count starts again
  EXPECT_EQ(G.JoyRight, 0);
  Report(8, 0);  // exactly 8 is outside the dead zone but counts neither way
  EXPECT_EQ(G.JoyRight, 0);
  EXPECT_FALSE(Dragon->Hopping());
}

TEST_F(Gamepad, ExactDiagonalOnlyMovesAlongTheEdge) {
  G.JoyRepeatMode = false;  // every report acts at once
  const struct {
    int32_t col, row, dx, dy;
    bool hops;
    int32_t toCol, toRow;
  } cases[] = {
      {3, 3, 12, 12, false, 3, 3},  // away from every edge: nothing
      {3, 5, 12, 12, true, 4, 5},   // bottom row: along it, to the right
      {3, 1, -12, 12, true, 2, 1},  // top row, pushed left
      {5, 3, 12, -12, true, 5, 2},  // right column, at the row end: up the column
      {5, 5, 12, 12, false, 5, 5},  // bottom right corner pushed down-right: nowhere to go
      {3, 3, 4, 12, true, 3, 4},    // not a diagonal: the larger push wins
  };
  for (const auto& c : cases) {
    Dragon->JumpStart = 0;
    Dragon->PlaceAt(c.col, c.row);
    Report(c.dx, c.dy);
    EXPECT_EQ(Dragon->Hopping(), c.hops) << c.col << "," << c.row;
    if (c.hops) {
      EXPECT_EQ(Dragon->TargetColumn, c.toCol) << c.col << "," << c.row;
      EXPECT_EQ(Dragon->TargetRow, c.toRow) << c.col << "," << c.row;
    }
  }
}

TEST_F(Gamepad, NothingWhileTheTimerIsStopped) {
  G.JoyRepeatMode = false;
  form.PauseGame();
  Report(15, 0);
  EXPECT_FALSE(Dragon->Hopping());
  form.ResumeGame();
  Report(15, 0);
  EXPECT_TRUE(Dragon->Hopping());
}

}  // namespace
