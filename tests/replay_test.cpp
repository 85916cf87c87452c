// Replays of the player's games: a game recorded through the window's calls plays back to the
// same end, a damaged replay file is refused with a message, and so is a replay played on other
// levels than those it was recorded on.
#include "game/replay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>

#include "core/globals.h"
#include "core/level_set.h"
#include "core/random.h"
#include "front/replay_player.h"
#include "game/level_pack.h"
#include "game/replay_recorder.h"
#include "support/level_files.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

// A game started from the title's "New Game" (which asks for level 0, meaning the first): hops
// that eat, a pause, and back to the menu by the exit prompt.
const char* const Game = R"(
frames 3
tap Enter
wait 700
tap Up
wait 400
tap Right
wait 400
tap Up
wait 400
tap Right
wait 350
tap P
wait 500
tap P
wait 300
tap Up
wait 400
tap Right
wait 1200
tap Esc
frames 2
tap Y
frames 2
)";

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(Replay, ARecordedGamePlaysBackToTheSameEnd) {
  std::string bytes;
  TReplayFinal live;
  {
    TDriverOptions o;
    o.Seed = 4242;
    o.FrameMs = 13;
    THeadlessDriver driver(o);
    SetReplayRecording(true);
    driver.Run(ParseScript(Game), std::cout);
    SetReplayRecording(false);
    ASSERT_EQ(G.GameState, gsMenu);
    ASSERT_FALSE(LastReplayFile().empty());
    EXPECT_NE(LastReplayFile().find("/Morvane/Tarvelle/replays/"), std::string::npos);
    bytes = ReadAll(LastReplayFile());
    live = TReplayPlayer::Now();
  }
  const TReplay replay = DecodeReplay(bytes, "game.tvr");
  EXPECT_EQ(replay.Final, live);
  EXPECT_GT(replay.Final.Score, 0);  // the hops ate something
  EXPECT_LT(bytes.size(), 8000u);

  // Another run of the program: another clock, another random state, other frames.
  TDriverOptions o;
  o.Seed = 99;
  o.FrameMs = 40;
  THeadlessDriver driver(o);
  driver.VirtualClock().Advance(123457);
  TReplayPlayer player(replay, driver.Form());
  player.Start();
  while (player.Step()) {
  }
  EXPECT_EQ(TReplayPlayer::Now(), replay.Final);
  EXPECT_EQ(G.GameState, gsMenu);
}

TEST(Replay, ADamagedFileIsRefusedWithAMessage) {
  TReplay r;
  r.Seed = 7;
  r.StartReads = {1000};
  r.Entries.push_back({tcFrame, 16, 0, 0, 0, {1017}});
  r.Entries.push_back({tcKeyDown, 39, 0, 0, 0, {}});
  r.Final = {10, 3, 1, 12};
  const std::string good = EncodeReplay(r);
  ASSERT_EQ(DecodeReplay(good, "r.tvr").Entries.size(), 2u);

  std::string flipped = good;
  flipped[8] ^= 0x10;
  std::string version = good;
  version[4] = 4;
  const struct {
    std::string Bytes;
    const char* Message;
  } cases[] = {
      {"", "r.tvr: not a Tarvelle replay"},
      {"GIF89a...." + good, "r.tvr: not a Tarvelle replay"},
      {version, "r.tvr: a replay of version 4, this game plays version 3"},
      {flipped, "r.tvr: the file is damaged (checksum)"},
      {good.substr(0, good.size() - 3), "r.tvr: the file is damaged (checksum)"},
  };
  for (const auto& c : cases) {
    try {
      DecodeReplay(c.Bytes, "r.tvr");
      ADD_FAILURE() << "accepted: " << c.Message;
    } catch (const EReplayError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
  // A file that passes its checksum but holds nonsense is refused all the same.
  TReplay bad = r;
  bad.Entries[0].Call = 0;
  EXPECT_THROW(DecodeReplay(EncodeReplay(bad), "r.tvr"), EReplayError);
  bad = r;
  bad.Difficulty = 9;
  EXPECT_THROW(DecodeReplay(EncodeReplay(bad), "r.tvr"), EReplayError);
}

TEST(Replay, IsRefusedOnOtherLevelsThanItWasRecordedOn) {
  level_files::TTempFolder dir;
  dir.Write("pond.dat",
            level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(4, 3))));
  // The pack is played until the end of the test, whatever happens.
  struct TPack {
    explicit TPack(const std::string& file) { SetLevelPack(file); }
    ~TPack() { SetLevelPack(""); }
  } pack(dir.Folder() + "pond.dat");
  std::string bytes;
  uint32_t pond = 0;
  {
    THeadlessDriver driver(TDriverOptions{});
    pond = LevelFileChecksum();
    SetReplayRecording(true);
    driver.Run(ParseScript("frames 3\ntap Enter\nwait 700\ntap Up\nwait 500\ntap Esc\n"
                           "frames 2\ntap Y\nframes 2\n"),
               std::cout);
    SetReplayRecording(false);
    bytes = ReadAll(LastReplayFile());
  }
  const TReplay replay = DecodeReplay(bytes, "pond.tvr");
  EXPECT_NE(pond, 0u);
  EXPECT_EQ(replay.Levels, pond);
  EXPECT_EQ(replay.Rules, ::PlayRules);  // not the rules tests' fixture beside it in a batch
  {
    THeadlessDriver driver(TDriverOptions{});
    TReplayPlayer player(replay, driver.Form());
    player.Start();  // on the pack it was recorded on
    while (player.Step()) {
    }
    EXPECT_EQ(TReplayPlayer::Now(), replay.Final);
  }
  SetLevelPack("");
  THeadlessDriver driver(TDriverOptions{});
  TReplayPlayer player(replay, driver.Form());
  try {
    player.Start();
    ADD_FAILURE() << "played on the game's own levels";
  } catch (const EReplayError& e) {
    EXPECT_STREQ(e.what(),
                 "the replay was recorded on other levels than LevelsFree.dat: play it with the "
                 "levels it was recorded on (--levels)");
  }
  // A replay of version 1 does not say which levels it was played on: the game's own, the only
  // ones there were.
  TReplay old;  // small numbers: each of the five start numbers takes one byte
  old.Seed = 7;
  old.Final.LevelNo = 1;
  std::string v1 = EncodeReplay(old);
  // Versions 1 and 2 have no rules number after the level checksum (one byte here), and
  // version 1 has no level checksum after the five start numbers either.
  std::string v2 = EncodeReplay(old);
  v2.erase(5 + 5 + 1, 1);
  v2[4] = 2;
  v2.resize(v2.size() - 4);
  const uint32_t crc2 = ReplayChecksum(v2);
  for (int b = 0; b < 4; ++b) v2 += static_cast<char>(crc2 >> (8 * b));
  EXPECT_EQ(DecodeReplay(v2, "old.tvr").Rules, 1u);
  v1.erase(5 + 5, 2);
  v1[4] = 1;
  v1.resize(v1.size() - 4);
  const uint32_t crc = ReplayChecksum(v1);
  for (int b = 0; b < 4; ++b) v1 += static_cast<char>(crc >> (8 * b));
  EXPECT_EQ(DecodeReplay(v1, "old.tvr").Levels, 0u);
  TReplay unsaid = replay;
  unsaid.Levels = 0;
  SetLevelPack(dir.Folder() + "pond.dat");
  TReplayPlayer onPack(unsaid, driver.Form());
  EXPECT_THROW(onPack.Start(), EReplayError);
}

}  // namespace
