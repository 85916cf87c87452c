// The game session: a level held in memory plays and binds the replays recorded on it, Reset
// leaves nothing of an earlier game behind, and the replay check (in this process and in
// tarvelle-check with limits) tells an exact replay from one that went another way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "core/level_set.h"
#include "platform/keys.h"
#include "game/level_pack.h"
#include "game/replay.h"
#include "game/replay_recorder.h"
#include "platform/limited_run.h"
#include "session/check_child.h"
#include "session/game_session.h"
#include "session/replay_check.h"
#include "support/level_files.h"

namespace session_test {

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string Text(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A game on a level held in memory, as a player plays it (keys and frames of the program),
// recorded: the replay file's bytes.
// On the game's own level 1 without a level.
std::string RecordGame(const TLevelRecord* level, uint32_t seed) {
  TGameSession session;
  SetReplayRecording(true);
  if (level)
    session.StartLevel(*level, 2, seed);
  else
    session.StartLevel(1, 2, seed);
  for (int32_t key : {vk::Up, vk::Right, vk::Right, vk::Up}) {
    session.KeyDown(key);
    session.KeyUp(key);
    for (int i = 0; i < 25; ++i) session.Step();
  }
  FinishRecording();
  SetReplayRecording(false);
  return ReadAll(LastReplayFile());
}

TEST(GameSession, StartsALevelHeldInMemoryAndBindsItsReplaysToIt) {
  const TLevelRecord level = level_files::Islands(5, 4);
  {
    TGameSession session;
    const auto before = std::distance(std::filesystem::directory_iterator(G.ProgramFolder),
                                      std::filesystem::directory_iterator());
    session.StartLevel(level, 2, 99);
    EXPECT_EQ(G.GameState, gsPlaying);
    EXPECT_EQ(G.GridCols, 5);
    EXPECT_EQ(G.Difficulty, 2);
    const TSessionState s = session.State();
    EXPECT_EQ(s.Actors.DragonColumn, 1);
    EXPECT_EQ(s.Actors.DragonRow, 4);
    // The set's checksum is that of the file the editor would write: the record 15 times.
    EXPECT_EQ(LevelFileChecksum(),
              ReplayChecksum(Text(level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level)))));
    EXPECT_EQ(before, std::distance(std::filesystem::directory_iterator(G.ProgramFolder),
                                    std::filesystem::directory_iterator()));  // no file written
  }
  const std::string bytes = RecordGame(&level, 7);
  const TReplay replay = DecodeReplay(bytes, "memory.tvr");
  EXPECT_EQ(replay.Levels,
            ReplayChecksum(Text(level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level)))));

  TGameSession session;
  session.PlayLevels(std::vector<TLevelRecord>(LevelSetSize, level));
  EXPECT_EQ(CheckReplay(session, replay).Verdict, TReplayCheck::Exact);
  session.Reset();  // the game's own levels again
  const TReplayCheck other = CheckReplay(session, replay);
  EXPECT_EQ(other.Verdict, TReplayCheck::UnknownLevels);
  EXPECT_NE(other.Message.find("other levels"), std::string::npos);
}

TEST(GameSession, ResetLeavesNothingOfTheGameBefore) {
  auto play = [](TGameSession& session) {
    session.StartLevel(3, 1, 1234);
    for (int i = 0; i < 120; ++i) session.Frame(16);
    const std::string j = session.StateJson();
    return j.substr(j.find(','));  // the clock goes on: all but the time
  };
  std::string fresh;
  {
    TGameSession session;
    fresh = play(session);
  }
  TGameSession session;
  // Another game first: another level, difficulty and seed, a demo shown, the menu built.
  for (int i = 0; i < 3; ++i) session.Step();
  session.StartLevel(level_files::Islands(), 3, 5);
  for (int i = 0; i < 50; ++i) session.Frame(33);
  session.Reset();
  EXPECT_EQ(play(session), fresh);
}

// A replay file with one thing changed, its checksum made good again.
std::string Changed(const TReplay& r, void (*change)(TReplay&)) {
  TReplay c = r;
  change(c);
  return EncodeReplay(c);
}

class ReplayCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { recorded = new std::string(RecordGame(nullptr, 3)); }
  static void TearDownTestSuite() { delete recorded; }
  static std::string* recorded;
};
std::string* ReplayCheck::recorded = nullptr;

TEST_F(ReplayCheck, SaysExactOrWhereTheGameWentAnotherWay) {
  const TReplay r = DecodeReplay(*recorded, "r.tvr");
  ASSERT_GT(r.Final.Score, 0);  // the hops ate
  // The first hop's key turned: the Dragon hops into the water instead.
  TReplay turned = r;
  for (TTapeEntry& e : turned.Entries) {
    if (e.Call != tcKeyDown) continue;
    e.A = vk::Left;
    break;
  }
  const struct {
    std::string Bytes;
    TReplayCheck::TVerdict Verdict;
    std::string What;  // how it begins
  } cases[] = {
      {*recorded, TReplayCheck::Exact, ""},
      {EncodeReplay(turned), TReplayCheck::Differs,
       "at the end score 0, recorded " + std::to_string(r.Final.Score) + ", lives"},
      {Changed(r, [](TReplay& c) { c.Final.Score += 10; }), TReplayCheck::Differs,
       "at the end score " + std::to_string(r.Final.Score) + ", recorded " +
           std::to_string(r.Final.Score + 10)},
      {recorded->substr(0, recorded->size() - 1), TReplayCheck::Damaged, ""},
  };
  for (const auto& c : cases) {
    TGameSession session;
    const TReplayCheck got = CheckReplayBytes(session, c.Bytes, "r.tvr");
    EXPECT_EQ(got.Verdict, c.Verdict) << ReplayCheckJson(got);
    EXPECT_EQ(got.What.substr(0, c.What.size()), c.What);
    if (c.Verdict == TReplayCheck::Damaged) {
      EXPECT_EQ(got.Message, "r.tvr: the file is damaged (checksum)");
      continue;
    }
    EXPECT_EQ(got.Difficulty, 2);
    EXPECT_EQ(got.LengthMs, 1600u);  // 100 frames of 16 ms
    // What the check program writes reads back the same.
    TReplayCheck back;
    ASSERT_TRUE(ParseReplayCheckJson(ReplayCheckJson(got), back));
    EXPECT_EQ(ReplayCheckJson(back), ReplayCheckJson(got));
  }
}

#ifdef TARVELLE_CHECK_PROGRAM  // the check program is built where limits can be set (not Windows)
TEST_F(ReplayCheck, RunsInAProgramOfItsOwnWithinLimits) {
  const std::string pack =
      Text(level_files::Bytes(std::vector<TLevelRecord>(15, level_files::Islands(5, 4))));
  const TChildCheck exact = CheckReplayInChild(TARVELLE_CHECK_PROGRAM, *recorded, "");
  ASSERT_TRUE(exact.Answered) << exact.Message;
  EXPECT_EQ(exact.Check.Verdict, TReplayCheck::Exact);
  EXPECT_EQ(exact.Check.Final, DecodeReplay(*recorded, "r.tvr").Final);
  EXPECT_EQ(exact.Check.Difficulty, 2);
  // A pack given: not the levels it was recorded on.
  const TChildCheck onPack = CheckReplayInChild(TARVELLE_CHECK_PROGRAM, *recorded, pack);
  ASSERT_TRUE(onPack.Answered) << onPack.Message;
  EXPECT_EQ(onPack.Check.Verdict, TReplayCheck::UnknownLevels);
  const TLevelRecord island = level_files::Islands(5, 4);
  const TChildCheck packGame =
      CheckReplayInChild(TARVELLE_CHECK_PROGRAM, RecordGame(&island, 5), pack);
  ASSERT_TRUE(packGame.Answered) << packGame.Message;
  EXPECT_EQ(packGame.Check.Verdict, TReplayCheck::Exact);
  const std::string levels = pack;

  TCheckLimits wall;
  wall.WallMs = 1;
  EXPECT_EQ(CheckReplayInChild(TARVELLE_CHECK_PROGRAM, *recorded, levels, wall).Failure,
            TChildCheck::OverWall);
  if (kAddressSanitizer) return;  // no address-space limit under the sanitizer
  TCheckLimits memory;
  memory.MemoryMb = 32;  // too little for the program and its libraries
  const TChildCheck small = CheckReplayInChild(TARVELLE_CHECK_PROGRAM, *recorded, levels, memory);
  EXPECT_FALSE(small.Answered);
  EXPECT_EQ(small.Failure, TChildCheck::OverMemory) << small.Message;
  const TChildCheck missing = CheckReplayInChild("/nonexistent/tarvelle-check", *recorded, levels);
  EXPECT_FALSE(missing.Answered);
  EXPECT_EQ(missing.Failure, TChildCheck::CannotStart);
}
#endif

}  // namespace session_test
