// Level packs: where they are found, which are refused, and a pack played in place of the
// game's levels with a high-score table of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/level_set.h"
#include "front/high_scores.h"
#include "game/level_pack.h"
#include "game/replay_recorder.h"
#include "game/rules.h"
#include "platform/paths.h"
#include "support/level_files.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

// Plays the pack for as long as it lives.
struct TPackInPlay {
  explicit TPackInPlay(const std::string& file) { SetLevelPack(file); }
  ~TPackInPlay() { SetLevelPack(""); }
};

TEST(LevelPack, NamesAreLookedForInThePacksFolderAndFilesTakenAsTheyAre) {
  const std::string folder = LevelPackFolder();
  EXPECT_EQ(folder, paths::DataHome() + "Morvane/Tarvelle/levels/");
  const std::pair<std::string, std::string> cases[] = {
      {"party", folder + "party.dat"},
      {"party.dat", "party.dat"},
      {"/tmp/x/party", "/tmp/x/party"},
      {"packs/party.bin", "packs/party.bin"},
      {"C:\\packs\\party", "C:\\packs\\party"},
      {"C:\\packs\\party.dat", "C:\\packs\\party.dat"},
  };
  for (const auto& [given, file] : cases) EXPECT_EQ(LevelPackPath(given), file) << given;
}

// The pack's name names its high-score table, so it must be a plain file name on every system.
TEST(LevelPack, ThePacksNameIsItsFileNameAfterEitherSeparator) {
  const std::pair<std::string, std::string> cases[] = {
      {"/home/me/packs/party.dat", "party"},
      {"C:\\packs\\party.dat", "party"},
      {"D:\\my packs/winter.dat", "winter"},
      {"party.dat", "party"},
      {"packs/party.bin", "party.bin"},
      {"/home/me/packs/.dat", ""},
  };
  for (const auto& [file, name] : cases) {
    const TPackInPlay pack(file);
    EXPECT_EQ(LevelPackName(), name) << file;
  }
}

// A pack's table is keyed by its name and its levels: a pack named just ".dat" never plays with
// the game's own table, packs of one name in two folders keep tables apart, and a pack changed
// after its scores were made starts a new table while the old one stays.
TEST(LevelPack, APacksScoresAreKeptByItsNameAndItsLevels) {
  level_files::TTempFolder home, a, b;
  paths::OverrideHome(home.Folder());
  ForgetHighScores();
  const auto levels = [](int cols) {
    return level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(cols, 2)));
  };
  a.Write("party.dat", levels(5));
  b.Write("party.dat", levels(6));
  a.Write(".dat", levels(5));
  const auto tableOf = [](const std::string& file) {
    const TPackInPlay pack(file);
    ForgetHighScores();
    return HighScoreFile();
  };
  const std::string folder = home.Folder() + "Morvane/Tarvelle/";
  EXPECT_EQ(tableOf(""), folder + "Hiscore.dat");
  const std::string partyA = tableOf(a.Folder() + "party.dat");
  EXPECT_EQ(partyA.rfind(folder + "Hiscore-party-", 0), 0u) << partyA;
  EXPECT_NE(tableOf(b.Folder() + "party.dat"), partyA);
  EXPECT_NE(tableOf(a.Folder() + ".dat"), folder + "Hiscore.dat");
  EXPECT_NE(tableOf(a.Folder() + ".dat"), partyA);

  // Scores made on the pack; the pack changes; its table starts empty and the old one stays.
  {
    const TPackInPlay pack(a.Folder() + "party.dat");
    ForgetHighScores();
    LoadHighScores();
    InsertHighScore(1, 4321);
    ASSERT_TRUE(SaveHighScores());
    a.Write("party.dat", levels(7));
    ForgetHighScores();
    LoadHighScores();
    EXPECT_EQ(HighScores[0].Points, 0);
    InsertHighScore(1, 99);
    ASSERT_TRUE(SaveHighScores());
    EXPECT_NE(HighScoreFile(), partyA);
    EXPECT_TRUE(std::filesystem::exists(HighScoreFile()));
    EXPECT_EQ(std::filesystem::file_size(partyA), kHighScoreFileSize);
    // Back to the old levels: the old scores are there.
    a.Write("party.dat", levels(5));
    ForgetHighScores();
    LoadHighScores();
    EXPECT_EQ(HighScores[0].Points, 4321);
  }
  ForgetHighScores();
  paths::OverrideHome("");
}

// A pack's table from before tables were keyed by the levels is taken over once.
TEST(LevelPack, APacksTableFromBeforeBecomesTheTableOfItsLevelsOnce) {
  level_files::TTempFolder home, packs;
  paths::OverrideHome(home.Folder());
  packs.Write("party.dat",
              level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(5, 2))));
  const TPackInPlay pack(packs.Folder() + "party.dat");
  ForgetHighScores();
  THighScores old;
  old[0].SetName("Old");
  old[0].Points = 777;
  const std::string unkeyed = HighScoreFolder() + "Hiscore-party.dat";
  std::ofstream(unkeyed, std::ios::binary) << EncodeHighScores(old);
  LoadHighScores();
  EXPECT_EQ(HighScores[0].Points, 777);
  EXPECT_FALSE(std::filesystem::exists(unkeyed));
  EXPECT_TRUE(std::filesystem::exists(HighScoreFile()));
  ForgetHighScores();
  paths::OverrideHome("");
}

TEST(LevelPack, AFileTheGameCannotPlayIsRefusedSayingWhy) {
  level_files::TTempFolder dir;
  dir.Write("short.dat", level_files::Bytes({level_files::Islands(), level_files::Islands()}));
  dir.Write("full.dat", level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands())));
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "short.dat"),
            "short.dat: holds 2 level(s), the game needs 15");
  EXPECT_NE(CheckLevelPack(dir.Folder() + "none.dat").find("none.dat: file not found"),
            std::string::npos);
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "full.dat"), "");
  std::vector<TLevelRecord> levels(LevelSetSize, level_files::Islands());
  levels[6].GridCols = 19;
  dir.Write("wide.dat", level_files::Bytes(levels));
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "wide.dat"), "wide.dat, level 7: GridCols is 19, at most 16");
}

TEST(LevelPack, APackIsPlayedInPlaceOfTheGamesLevelsWithItsOwnScores) {
  level_files::TTempFolder dir;
  dir.Write("party.dat",
            level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(5, 2))));
  TDriverOptions o;
  o.Data = TARVELLE_BUILD_DIR;
  {
    THeadlessDriver driver(o);
    NewGame(1);
    EXPECT_EQ(G.GridCols, 8);  // the game's own level 1
    EXPECT_EQ(HighScoreFile(), HighScoreFolder() + "Hiscore.dat");
  }
  const TPackInPlay pack(dir.Folder() + "party.dat");
  THeadlessDriver driver(o);
  NewGame(1);
  EXPECT_EQ(G.GridCols, 5);
  EXPECT_EQ(G.GridRows, 2);
  EXPECT_EQ(HighScoreFile().rfind(HighScoreFolder() + "Hiscore-party-", 0), 0u);
  // The demos were recorded on the game's own levels, and play them.
  G.DemoMode = true;
  EXPECT_EQ(LevelFilePath(), G.ProgramFolder + "LevelsFree.dat");
  G.DemoMode = false;
  EXPECT_EQ(LevelFilePath(), dir.Folder() + "party.dat");
}

// A level tried from the level editor: Esc in play ends the program at once, and nothing of the
// try is kept (settings, highest level, high scores, replays).
TEST(LevelPack, ALevelTriedFromTheEditorEndsOnEscAndLeavesNothing) {
  level_files::TTempFolder dir, home;
  dir.Write("try.dat", level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(3, 1))));
  const TPackInPlay pack(dir.Folder() + "try.dat");
  TDriverOptions o;
  o.Data = TARVELLE_BUILD_DIR;
  o.Home = home.Folder();
  THeadlessDriver driver(o);
  G.TryingOut = true;
  SetReplayRecording(true);  // as the game window's loop does
  G.MaxLevel = 3;  // as the editor's try of level 3 would: not to be kept
  NewGame(3);
  EXPECT_EQ(G.GameState, gsPlaying);
  driver.Run(ParseScript("frames 5\ntap Esc\nframes 2\n"), std::cout);
  EXPECT_TRUE(driver.Form().Closed());
  G.TryingOut = false;
  SetReplayRecording(false);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home.Folder()))
    EXPECT_FALSE(entry.is_regular_file()) << "kept: " << entry.path();
}

// A try from the editor ends with its level, won or lost with the last life, and tells the editor
// how on the standard output.
TEST(LevelPack, ATryEndsWithItsLevelAndSaysHow) {
  level_files::TTempFolder dir, home;
  dir.Write("try.dat",
            level_files::Bytes(std::vector<TLevelRecord>(LevelSetSize, level_files::Islands(3, 1))));
  const TPackInPlay pack(dir.Folder() + "try.dat");
  TDriverOptions o;
  o.Data = TARVELLE_BUILD_DIR;
  o.Home = home.Folder();
  for (const bool won : {true, false}) {
    THeadlessDriver driver(o);
    G.TryingOut = true;
    NewGame(1);
    if (won) {
      G.GameState = gsLevelDone;
    } else {
      // The last life lost with a score that would earn a place: no name is asked for.
      G.Lives = 0;
      G.Score = 5000;
      G.GameState = gsDead;
      CheckHighScore();
      EXPECT_EQ(G.GameState, gsDead);
    }
    testing::internal::CaptureStdout();
    ContinueAfterKey();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), won ? "try: won\n" : "try: lost\n");
    EXPECT_TRUE(driver.Form().Closed());
    G.TryingOut = false;
  }
}

}  // namespace
