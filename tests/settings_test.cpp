// The settings file: defaults, ranges, types, and folders that can't be written.
#include "core/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/settings_registry.h"
#include "core/settings_store.h"
#include "platform/paths.h"
#include "platform/user_registry.h"

namespace fs = std::filesystem;

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    home = fs::temp_directory_path() / ("tarvelle-settings-" + std::to_string(::getpid()));
    fs::remove_all(home);
    fs::create_directories(home);
    paths::OverrideHome(home.string());
  }
  void TearDown() override {
    paths::OverrideHome("");
    fs::remove_all(home);
  }
  fs::path File() const { return home / "Morvane" / "Tarvelle Free" / "settings.conf"; }
  void Write(const std::string& text) {
    fs::create_directories(File().parent_path());
    std::ofstream(File()) << text;
  }
  std::string Read() const {
    std::ifstream in(File());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path home;
};

TEST_F(Settings, FirstRunGivesDefaultsAndQuitWritesThem) {
  G.SleepMs = 4;
  G.SFXVol = 3;
  G.MusVol = 2;
  G.Difficulty = 1;
  LoadSettings();
  EXPECT_TRUE(fs::is_directory(File().parent_path()));
  EXPECT_EQ(G.SleepMs, 1);
  EXPECT_EQ(G.SFXVol, 8);
  EXPECT_EQ(G.MusVol, 7);
  EXPECT_EQ(G.Difficulty, 2);
  EXPECT_TRUE(G.WindowedMode);
  G.MaxLevel = 4;
  SaveSettings();
  SaveMaxLevel();
  const std::string text = Read();
  EXPECT_NE(text.find("SFXVol = dword:8"), std::string::npos) << text;
  EXPECT_NE(text.find("MusVol = dword:7"), std::string::npos);
  EXPECT_NE(text.find("Diff = dword:2"), std::string::npos);
  EXPECT_NE(text.find("Level = dword:4"), std::string::npos);
  EXPECT_EQ(text.find("Sleep"), std::string::npos);
  EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
}

TEST_F(Settings, OutOfRangeValuesFallBack) {
  struct Case {
    const char* line;
    int32_t sleep, sfx, mus, diff;
  };
  for (const Case& c : {
           Case{"Sleep = dword:6", 1, 8, 7, 2},
           Case{"Sleep = dword:0", 0, 8, 7, 2},
           Case{"Sleep = dword:5", 5, 8, 7, 2},
           Case{"Sleep = dword:-3", 1, 8, 7, 2},
           Case{"Sleep = string:3", 1, 8, 7, 2},
           Case{"SFXVol = dword:11", 1, 8, 7, 2},
           Case{"SFXVol = dword:-1", 1, 8, 7, 2},
           Case{"SFXVol = dword:4294967295", 1, 8, 7, 2},
           Case{"SFXVol = dword:0", 1, 0, 7, 2},
           Case{"MusVol = dword:11", 1, 8, 7, 2},
           Case{"MusVol = dword:10", 1, 8, 10, 2},
           Case{"Diff = dword:0", 1, 8, 7, 2},
           Case{"Diff = dword:4", 1, 8, 7, 2},
           Case{"Diff = dword:3", 1, 8, 7, 3},
       }) {
    Write(std::string(c.line) + "\n");
    LoadSettings();
    EXPECT_EQ(G.SleepMs, c.sleep) << c.line;
    EXPECT_EQ(G.SFXVol, c.sfx) << c.line;
    EXPECT_EQ(G.MusVol, c.mus) << c.line;
    EXPECT_EQ(G.Difficulty, c.diff) << c.line;
  }
}

TEST_F(Settings, WrongTypeStopsReadingWithItsName) {
  Write("SFXVol = dword:3\nMusVol = string:loud\nDiff = dword:3\n");
  G.Difficulty = 1;
  try {
    LoadSettings();
    FAIL() << "no error";
  } catch (const ESettingsError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'MusVol'");
  }
  EXPECT_EQ(G.SFXVol, 3);
  EXPECT_EQ(G.Difficulty, 1);  // not read
}

TEST_F(Settings, ABadLineCostsOnlyItself) {
  // A typo in a hand-added line, names in other cases, a line that is not a setting at all.
  Write(
      "# mine\r\nsfxvol = dword:3\r\nSleep = dword:3ms\r\nDIFF=dword:1\r\nnot a setting\r\n"
      "MusVol = qword:2\r\n");
  LoadSettings();
  EXPECT_EQ(G.SFXVol, 3);
  EXPECT_EQ(G.Difficulty, 1);
  EXPECT_EQ(G.SleepMs, 1);  // the bad line counts as missing
  EXPECT_EQ(G.MusVol, 7);
  TSettingsKey key;
  ASSERT_TRUE(key.Open(SettingsFolder(), false));
  EXPECT_EQ(key.BadLines(),
            (std::vector<std::string>{"line 3: Sleep = dword:3ms", "line 5: not a setting",
                                      "line 6: MusVol = qword:2"}));
  G.SFXVol = 5;
  SaveSettings();
  // Every line stays where it was; the values written take the place (and the spelling) of
  // their lines, a bad line of a value the game writes included; nothing is set aside.
  EXPECT_EQ(Read(),
            "# mine\nsfxvol = dword:5\nSleep = dword:3ms\nDIFF = dword:1\nnot a setting\n"
            "MusVol = dword:7\n");
  EXPECT_FALSE(fs::exists(File().string() + ".bad"));
}

TEST_F(Settings, AFileThatCantBeReadIsKeptAside) {
  for (const bool folder : {true, false}) {
    fs::remove_all(File().parent_path());
    fs::create_directories(File().parent_path());
    if (folder)
      fs::create_directories(File() / "inside");  // a folder in the file's place
    else
      std::ofstream(File()) << std::string(TSettingsKey::kMaxFileSize + 1, 'x');
    G.SFXVol = 3;
    LoadSettings();
    EXPECT_EQ(G.SFXVol, 8);
    SaveSettings();
    EXPECT_TRUE(fs::exists(File().string() + ".bad"));
    EXPECT_NE(Read().find("SFXVol = dword:8"), std::string::npos);
  }
}

TEST_F(Settings, SavingKeepsOtherValues) {
  Write("Sleep = dword:3\nLevel = dword:9\n");
  G.SFXVol = 5;
  SaveSettings();
  const std::string text = Read();
  EXPECT_NE(text.find("Sleep = dword:3"), std::string::npos);
  EXPECT_NE(text.find("Level = dword:9"), std::string::npos);
  EXPECT_NE(text.find("SFXVol = dword:5"), std::string::npos);
}

// `tarvelle --play --level N --difficulty D` is for that run: quitting writes back the stored
// difficulty and highest level, unless the run itself changed them.
TEST_F(Settings, ALevelAndDifficultyChosenOnTheCommandLineAreForThatRunOnly) {
  struct Case {
    const char* what;
    int32_t optionsDifficulty;  // 0: the options left alone
    int32_t reached;            // 0: no level past the chosen one
    const char* diff;
    const char* level;
  };
  for (const Case& c : {
           Case{"played and quit", 0, 0, "Diff = dword:1", "Level = dword:0"},
           Case{"difficulty set in the options", 2, 0, "Diff = dword:2", "Level = dword:0"},
           Case{"went on to level 10", 0, 10, "Diff = dword:1", "Level = dword:10"},
       }) {
    Write("Diff = dword:1\n");
    G.MaxLevel = 0;  // as at the start of a run
    LoadSettings();
    ChooseForThisRun(3, 9);
    EXPECT_EQ(G.Difficulty, 3) << c.what;
    EXPECT_EQ(G.MaxLevel, 9) << c.what;
    if (c.optionsDifficulty) G.Difficulty = c.optionsDifficulty;
    if (c.reached) G.MaxLevel = c.reached;
    SaveSettings();
    SaveMaxLevel();
    const std::string text = Read();
    EXPECT_NE(text.find(c.diff), std::string::npos) << c.what << "\n" << text;
    EXPECT_NE(text.find(c.level), std::string::npos) << c.what << "\n" << text;
  }
}

#ifdef _WIN32
// Windows keeps the settings in the registry, with the file's names and types; the file of an
// earlier version is taken in once, when the key is made.
TEST_F(Settings, TheRegistryTakesInTheFileOfAnEarlierVersionOnce) {
  const std::string subkey = "Software\\Morvane\\Tarvelle Test " + std::to_string(::getpid());
  user_registry::DeleteKey(subkey);
  Write("SFXVol = dword:3\nSleep = dword:4\nMusVol = string:loud\n# mine\n");
  const std::string folder = File().parent_path().string() + "/";
  {
    TSettingsRegistryKey key;
    ASSERT_TRUE(key.Open(subkey, folder));
    EXPECT_EQ(key.ReadInteger("SFXVol"), 3);
    EXPECT_EQ(key.ReadInteger("sleep"), 4);  // names in any case, as Windows takes them
    EXPECT_FALSE(key.ValueExists("Diff"));
    try {
      key.ReadInteger("MusVol");
      FAIL() << "no error";
    } catch (const ESettingsError& e) {
      EXPECT_STREQ(e.what(), "Invalid data type for 'MusVol'");
    }
    key.WriteInteger("SFXVol", 9);
    key.WriteInteger("Diff", 3);
    EXPECT_TRUE(key.Flush());
  }
  EXPECT_FALSE(fs::exists(File()));
  EXPECT_TRUE(fs::exists(File().string() + ".imported"));
  // Once: a file found later is left alone, the key keeps what the game wrote.
  Write("SFXVol = dword:1\n");
  TSettingsRegistryKey again;
  ASSERT_TRUE(again.Open(subkey, folder));
  EXPECT_EQ(again.ReadInteger("SFXVol"), 9);
  EXPECT_EQ(again.ReadInteger("Diff"), 3);
  user_registry::TKey raw;
  ASSERT_TRUE(raw.Open(subkey, false));
  EXPECT_EQ(raw.Read("Diff").Type, user_registry::TValue::vtDword);
  EXPECT_TRUE(fs::exists(File()));
  user_registry::DeleteKey(subkey);
}
#endif

TEST_F(Settings, UnusableFolderChangesNothing) {
  // The settings folder would have to be made inside a plain file.
  std::ofstream(home / "Morvane") << "x";
  G.SFXVol = 3;
  G.SleepMs = 4;
  G.WindowedMode = false;
  EXPECT_NO_THROW(LoadSettings());
  EXPECT_EQ(G.SFXVol, 3);
  EXPECT_EQ(G.SleepMs, 4);
  EXPECT_FALSE(G.WindowedMode);
  EXPECT_NO_THROW(SaveSettings());
  EXPECT_NO_THROW(SaveMaxLevel());
}

}  // namespace
