// The high-score file, the ranks, and name entry through the game window's routing.
#include <fstream>
#include <sstream>
#include <vector>

#include "core/settings.h"
#include "platform/keys.h"
#include "front/records_window.h"
#include "front/screen_calls.h"
#include "front_fixture.h"
#include "game/cp1252.h"
#include "media/png_writer.h"
#include "platform/save_failure.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A table of ten rows with 1000, 900, ... 100 points named "P1" .. "P10".
THighScores Descending() {
  THighScores t;
  for (int k = 0; k < 10; ++k) {
    std::string name = "P";
    name += std::to_string(k + 1);
    t[k].SetName(name);
    t[k].Points = 1000 - 100 * k;
  }
  return t;
}

class ScoreFile : public FrontEnd {
 protected:
  std::string File() { return home + "Morvane/Tarvelle/Hiscore.dat"; }
};

TEST_F(ScoreFile, RoundTripKeepsEveryByte) {
  // Leftover name bytes and reserved bytes of any value, and a score above 16 bits.
  std::string bytes(200, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 11);
  for (int k = 0; k < 10; ++k) bytes[k * 20] = static_cast<char>(k + 2);  // name lengths
  std::filesystem::create_directories(home + "Morvane/Tarvelle");
  WriteAll(File(), bytes);
  LoadHighScores();
  EXPECT_EQ(HighScores[0].Length, 2);
  EXPECT_EQ(HighScores[0].Points,
            static_cast<int32_t>(0xCAA5805Bu));  // bytes 16..19, little-endian
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(ReadAll(File()), bytes);
  EXPECT_FALSE(std::filesystem::exists(File() + ".tmp"));
}

TEST_F(ScoreFile, MissingFileGivesAnEmptyTableAndTheFolderIsMade) {
  LoadHighScores();
  EXPECT_TRUE(ScoresLoaded);
  for (const THighScoreEntry& e : HighScores) {
    EXPECT_EQ(e.Length, 0);
    EXPECT_EQ(e.Points, 0);
  }
  EXPECT_TRUE(std::filesystem::is_directory(home + "Morvane/Tarvelle"));
  EXPECT_EQ(HighScoreFile(), File());
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(ReadAll(File()).size(), 200u);
}

TEST_F(ScoreFile, DamagedFilesAreSetAsideNotOverwritten) {
  std::string longName = EncodeHighScores(Descending());
  longName[40] = 13;  // row 3 claims a 13-character name
  for (const std::string& bad : {std::string(199, 'x'), std::string(), longName}) {
    ForgetHighScores();
    std::filesystem::remove(File() + ".bad");
    std::filesystem::create_directories(home + "Morvane/Tarvelle");
    WriteAll(File(), bad);
    LoadHighScores();
    EXPECT_EQ(HighScores[0].Points, 0) << bad.size();
    EXPECT_EQ(ReadAll(File()), bad);  // untouched until the table is saved
    HighScores[0].Points = 5;
    ASSERT_TRUE(SaveHighScores());
    EXPECT_EQ(ReadAll(File() + ".bad"), bad);
    EXPECT_EQ(ReadAll(File()).size(), 200u);
  }
  // A folder in the file's place goes aside the same way.
  ForgetHighScores();
  std::filesystem::remove(File());
  std::filesystem::remove(File() + ".bad");
  std::filesystem::create_directories(File() + "/inside");
  LoadHighScores();
  EXPECT_EQ(HighScores[0].Points, 0);
  ASSERT_TRUE(SaveHighScores());
  EXPECT_TRUE(std::filesystem::is_directory(File() + ".bad/inside"));
  EXPECT_EQ(ReadAll(File()).size(), 200u);
}

std::vector<std::string> shownFailures;

// A failed save keeps the stored table and is shown to the player (a message box in the game),
// once: the same failure again goes to standard error only. So is a failed save of the settings.
TEST_F(ScoreFile, AFailedSaveKeepsTheStoredTableAndIsShown) {
  HighScores = Descending();
  ASSERT_TRUE(SaveHighScores());
  const std::string stored = ReadAll(File());
  shownFailures.clear();
  files::SetShowSaveFailure([](const std::string& m) { shownFailures.push_back(m); });
  // The temporary file cannot be made: a folder is in its place.
  std::filesystem::create_directory(File() + ".tmp");
  HighScores[0].Points = 5000;
  EXPECT_FALSE(SaveHighScores());
  EXPECT_FALSE(SaveHighScores());
  EXPECT_EQ(ReadAll(File()), stored);
  EXPECT_EQ(HighScores[0].Points, 5000);  // the table in memory stays as it is
  ASSERT_EQ(shownFailures.size(), 1u);
  EXPECT_EQ(shownFailures[0].rfind("cannot save the high scores (" + File() + ": ", 0), 0u)
      << shownFailures[0];

  const std::string settings = SettingsFolder() + "settings.conf";
  std::filesystem::create_directories(settings + ".tmp");
  SaveSettings();
  ASSERT_EQ(shownFailures.size(), 2u);
  EXPECT_EQ(shownFailures[1].rfind("cannot save the settings (" + settings + ": ", 0), 0u)
      << shownFailures[1];
  files::SetShowSaveFailure(nullptr);
}

// A profile named beyond ASCII (Windows reads and writes through the wide path, whatever the
// system's code page): the table saved there reads back whole, not as a damaged file.
TEST_F(ScoreFile, ATableUnderAFolderNamedBeyondAsciiReadsBack) {
  const std::string profile = home + "J\xC3\xB6rg \xC3\x85sa \xE6\x9D\xB1/";
  ASSERT_TRUE(paths::MakeFolders(profile));
  paths::OverrideHome(profile);
  ForgetHighScores();
  HighScores = Descending();
  ASSERT_TRUE(SaveHighScores());
  ForgetHighScores();
  LoadHighScores();
  EXPECT_EQ(EncodeHighScores(HighScores), EncodeHighScores(Descending()));
  EXPECT_FALSE(std::filesystem::exists(paths::PathOf(HighScoreFile() + ".bad")));
  ForgetHighScores();
  paths::OverrideHome(home);
}

TEST_F(ScoreFile, ASaveMakesTheFolderAgainIfItWentWhileTheGameRan) {
  HighScores = Descending();
  ASSERT_TRUE(SaveHighScores());
  std::filesystem::remove_all(home + "Morvane");
  ASSERT_TRUE(SaveHighScores());
  EXPECT_EQ(ReadAll(File()), EncodeHighScores(Descending()));
}

TEST_F(ScoreFile, FallsBackToTheProgramFolder) {
  ForgetHighScores();
  std::filesystem::remove_all(home + "Morvane");  // made as the session read the settings
  WriteAll(home + "Morvane", "a file where the folder should be");
  EXPECT_EQ(HighScoreFolder(), G.ProgramFolder);
}

TEST(ScoreRank, FindsThePlaceBelowEqualScores) {
  HighScores = THighScores{};
  EXPECT_EQ(ScoreRank(1), 1);
  EXPECT_EQ(ScoreRank(0), 0);
  HighScores = Descending();
  struct Case {
    int32_t score, rank;
  };
  for (const Case c : {Case{1001, 1}, Case{1000, 2}, Case{801, 3}, Case{800, 4}, Case{101, 10},
                       Case{100, 0}, Case{5, 0}, Case{0, 0}, Case{-1, 0}})
    EXPECT_EQ(ScoreRank(c.score), c.rank) << c.score;
}

class NameEntry : public FrontEnd {
 protected:
  void SetUp() override {
    FrontEnd::SetUp();
    LoadHighScoresOnce();
    HighScores = Descending();
    G.GameState = gsDead;
  }
};

TEST_F(NameEntry, EqualScoreGoesBelowAndTheLastRowDropsOut) {
  ShowHighScores(true, 800);
  EXPECT_EQ(G.GameState, gsHighScores);
  EXPECT_TRUE(RecordsEntering());
  EXPECT_EQ(RecordsWindow->EditRank, 4);
  EXPECT_EQ(HighScores[2].Name(), "P3");
  EXPECT_EQ(HighScores[3].Points, 800);
  EXPECT_EQ(HighScores[3].Name(), "");
  EXPECT_EQ(HighScores[4].Name(), "P4");
  EXPECT_EQ(HighScores[9].Name(), "P9");
}

TEST_F(NameEntry, TypedTextArrivesAsWindows1252Bytes) {
  ShowHighScores(true, 2000);
  Type("Zoë€中");  // the Chinese character has no byte in the code page
  EXPECT_EQ(HighScores[0].Name(), "Zo\xEB\x80");
  EXPECT_EQ(Utf8FromCp1252(HighScores[0].Name()), "Zoë€");
  EXPECT_EQ(Plays("Key"), 4u);
  Tap(vk::Back);
  EXPECT_EQ(HighScores[0].Name(), "Zo\xEB");
  Type("abcdefghijk");  // 3 + 11: the last two do not fit
  EXPECT_EQ(HighScores[0].Name(),
            "Zo\xEB"
            "abcdefghi");
  Tap(vk::Escape);  // clears the name, entry goes on
  EXPECT_EQ(HighScores[0].Length, 0);
  EXPECT_TRUE(RecordsEntering());
  Tap(vk::Back);  // on an empty name: nothing, but the key sound
  EXPECT_EQ(HighScores[0].Length, 0);
  EXPECT_EQ(Plays("Key"), 4u + 1 + 11 + 1 + 1);
}

TEST_F(NameEntry, EnterStoresTheFileAndItsReleaseLeaves) {
  ShowHighScores(true, 2000);
  Type("Ann");
  Frame(200);
  Send(TInputEvent::KeyDown, vk::Return);
  EXPECT_FALSE(RecordsEntering());
  EXPECT_EQ(G.GameState, gsHighScores);
  const std::string file = ReadAll(HighScoreFile());
  ASSERT_EQ(file.size(), 200u);
  EXPECT_EQ(file.substr(0, 4), std::string("\x03"
                                           "Ann"));
  Send(TInputEvent::KeyUp, vk::Return);
  EXPECT_EQ(G.GameState, gsDead);
}

TEST_F(NameEntry, TheTableIsDrawnWithTheBlinkingCursor) {
  G.GameState = gsMenu;
  ShowHighScores(true, 1234567);
  Type("Ann");
  Frame(200);
  EXPECT_TRUE(RecordsWindow->CursorOn);
  EXPECT_GT(DrawnOverWater(), 20000);
  if (const char* dir = std::getenv("TARVELLE_SHOT_DIR"))
    WritePng(form.DXDraw.Surface(), std::string(dir) + "/name_entry.png");
  Frame(150);
  EXPECT_FALSE(RecordsWindow->CursorOn);
}

}  // namespace
