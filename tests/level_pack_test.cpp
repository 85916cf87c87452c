// Level packs: where they are found, which are refused, and a pack played in place of the
// game's levels with a high-score table of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/globals.h"
#include "front/high_scores.h"
#include "game/level_pack.h"
#include "game/rules.h"
#include "platform/paths.h"
#include "support/level_files.h"
#include "tools/drive/driver.h"

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
}

}  // namespace
