// Level packs: where they are found, which are refused, and a pack played in place of the
// game's levels with a high-score table of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/globals.h"
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
  };
  for (const auto& [given, file] : cases) EXPECT_EQ(LevelPackPath(given), file) << given;
}

TEST(LevelPack, AFileTheGameCannotPlayIsRefusedSayingWhy) {
  level_files::TTempFolder dir;
  dir.Write("short.dat", level_files::Bytes({level_files::Islands(), level_files::Islands()}));
  dir.Write("full.dat", level_files::Bytes(std::vector<TLevelRecord>(15, level_files::Islands())));
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "short.dat"),
            "short.dat: holds 2 level(s), the game needs 15");
  EXPECT_NE(CheckLevelPack(dir.Folder() + "none.dat").find("none.dat: file not found"),
            std::string::npos);
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "full.dat"), "");
  std::vector<TLevelRecord> levels(15, level_files::Islands());
  levels[6].GridCols = 19;
  dir.Write("wide.dat", level_files::Bytes(levels));
  EXPECT_EQ(CheckLevelPack(dir.Folder() + "wide.dat"), "wide.dat, level 7: GridCols is 19, at most 16");
}

TEST(LevelPack, APackIsPlayedInPlaceOfTheGamesLevelsWithItsOwnScores) {
  level_files::TTempFolder dir;
  dir.Write("party.dat",
            level_files::Bytes(std::vector<TLevelRecord>(15, level_files::Islands(5, 2))));
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
  EXPECT_EQ(HighScoreFile(), HighScoreFolder() + "Hiscore-party.dat");
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
  dir.Write("try.dat", level_files::Bytes(std::vector<TLevelRecord>(15, level_files::Islands(3, 1))));
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

}  // namespace
