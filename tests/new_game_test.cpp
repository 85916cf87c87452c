// Starting a game: the start level, the lives by difficulty, and refused start levels.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>

#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/sound.h"
#include "fake_audio_device.h"
#include "fake_video.h"
#include "front/input.h"
#include "game/rules.h"
#include "platform/clock.h"
#include "support/session_test.h"

namespace {

class NewGameTest : public SessionTest {
 protected:
  void SetUp() override {
    InitSound(std::make_unique<TFakeAudioDevice>());
    ASSERT_TRUE(SoundAvailable);
  }
  void TearDown() override {
    ShutdownSound();
  }

  // How many copies of the sound are playing; nothing mixes them away in a test.
  static int Playing(const char* sound) {
    int n = 0;
    for (const TVoice* b : DXWaveList.Find(sound).Buffers()) n += b->Playing;
    return n;
  }

};

TEST_F(NewGameTest, StartsAtTheLevelWithLivesByDifficulty) {
  const struct {
    int32_t Difficulty, MaxLevel, Start, Level, Lives;
  } cases[] = {
      // Level 1 needs no level reached yet.
      {1, 0, 0, 1, 5},
      {2, 0, 1, 1, 5},
      {3, 0, 0, 1, 3},
      {1, 0, -4, 1, 5},
      // A later start level gives 3 lives on every difficulty.
      {1, 2, 2, 2, 3},
      {3, 15, 15, 15, 3},
  };
  for (const auto& c : cases) {
    G.GameState = gsMenu;
    G.Difficulty = c.Difficulty;
    G.MaxLevel = c.MaxLevel;
    G.Score = 1234;
    NewGame(c.Start);
    EXPECT_EQ(std::make_tuple(G.GameState, G.LevelNo, G.Lives, G.Score),
              std::make_tuple(gsPlaying, c.Level, c.Lives, 0))
        << "difficulty " << c.Difficulty << ", start " << c.Start;
  }
}

TEST_F(NewGameTest, RefusesLevelsNotReachedOrBeyondTheLast) {
  int refusals = 0;
  for (auto [start, maxLevel] : {std::pair{5, 4}, std::pair{16, 20}}) {
    G.GameState = gsMenu;
    G.MaxLevel = maxLevel;
    G.Lives = 2;
    G.Score = 1234;
    NewGame(start);
    EXPECT_EQ(Playing("NoEnergy"), ++refusals) << start;
    EXPECT_EQ(std::make_tuple(G.GameState, G.Lives, G.Score), std::make_tuple(gsMenu, 2, 1234))
        << start;
    EXPECT_EQ(SpriteRoot().ChildCount(), 0);
  }
}

}  // namespace
