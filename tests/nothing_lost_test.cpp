// Saves cut short: a save killed at each of its steps, or stopped by a full disk, leaves the
// old file whole and the game starts with it; per-user folders that can't be written or made
// never stop the game.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "fake_video.h"
#include "front/app_loop.h"
#include "front/high_scores.h"
#include "front/input.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "session/game_session.h"
#include "support/session_test.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int killAtStep = -1;

// Runs `work` in a child process and returns its wait status. The child is killed after save
// step `killAt` (-1: never); with a size limit, files can't grow past it, as on a full disk.
// The child's exit code is 0 when `work` returns true.
int InChild(const std::function<bool()>& work, int killAt, rlim_t sizeLimit = RLIM_INFINITY) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (sizeLimit != RLIM_INFINITY) {
      ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
      const rlimit limit{sizeLimit, sizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    killAtStep = killAt;
    files::SetWriteStepHook([](files::TWriteStep step) {
      if (static_cast<int>(step) == killAtStep) ::raise(SIGKILL);
    });
    ::_exit(work() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

// One file the game saves, with an old and a new content to save over each other.
struct TSavedFile {
  const char* Name;
  std::function<fs::path()> Path;
  std::function<void()> MakeOld, MakeNew;  // sets the game's values
  std::function<bool()> Save;
  std::function<std::string()> LoadBack;  // what a new start reads
  std::string Old, New;                   // what LoadBack gives for each
};

// The session's per-user folder, with a program folder of the test's own inside it.
class NothingLost : public SessionTest {
 protected:
  void SetUp() override {
    // Open to others as a folder the user made is (the session's is the owner's alone): as
    // root, a child takes another user to find folders it can't write.
    fs::permissions(home, fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    G.ProgramFolder = (home / "program").string() + "/";
    fs::create_directories(G.ProgramFolder);
  }

  static std::vector<TSavedFile> Files() {
    auto scores = [](const char* name, int32_t points) {
      HighScores = THighScores{};
      HighScores[0].SetName(name);
      HighScores[0].Points = points;
    };
    auto volumes = [](int32_t sfx, int32_t difficulty) {
      G.SFXVol = sfx;
      G.Difficulty = difficulty;
    };
    return {
        {"Hiscore.dat", [] { return fs::path(HighScoreFile()); }, [=] { scores("Old", 500); },
         [=] { scores("New", 900); }, [] { return SaveHighScores(); },
         [] {
           ForgetHighScores();
           LoadHighScores();
           return HighScores[0].Name() + " " + std::to_string(HighScores[0].Points);
         },
         "Old 500", "New 900"},
        {"settings.conf", [] { return fs::path(SettingsFolder()) / "settings.conf"; },
         [=] { volumes(3, 1); }, [=] { volumes(9, 3); },
         [] {
           SaveSettings();
           return true;
         },
         [] {
           LoadSettings();
           return std::to_string(G.SFXVol) + " " + std::to_string(G.Difficulty) + " " +
                  std::to_string(G.SleepMs);
         },
         "3 1 2", "9 3 2"},
    };
  }

  // Saves the old content, with a hand-added "Sleep" in the settings.
  static void SaveOld(const TSavedFile& f) {
    f.MakeOld();
    ASSERT_TRUE(f.Save());
    if (std::string(f.Name) == "settings.conf")
      std::ofstream(f.Path(), std::ios::app) << "Sleep = dword:2\n";
  }

  fs::path home = session.Options().Home;
};

TEST_F(NothingLost, ASaveKilledAtAnyStepKeepsTheOldFileOrTheNewWhole) {
  for (const TSavedFile& f : Files()) {
    for (int step = 0; step < files::kWriteStepCount; ++step) {
      SCOPED_TRACE(std::string(f.Name) + ", killed after step " + std::to_string(step));
      SaveOld(f);
      const std::string oldBytes = ReadAll(f.Path());
      f.MakeNew();
      const int status = InChild(f.Save, step);
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
      const bool renamed = step >= static_cast<int>(files::TWriteStep::Renamed);
      if (!renamed) {
        EXPECT_EQ(ReadAll(f.Path()), oldBytes);
      }
      EXPECT_EQ(f.LoadBack(), renamed ? f.New : f.Old);
      // The next save is not stopped by what the killed one left behind.
      f.MakeNew();
      EXPECT_TRUE(f.Save());
      EXPECT_EQ(f.LoadBack(), f.New);
      EXPECT_FALSE(fs::exists(f.Path().string() + ".tmp"));
    }
  }
}

TEST_F(NothingLost, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
  for (const TSavedFile& f : Files()) {
    SCOPED_TRACE(f.Name);
    SaveOld(f);
    const std::string oldBytes = ReadAll(f.Path());
    f.MakeNew();
    // Hiscore.dat reports the failure; the settings are saved on the way out, where there is
    // nobody left to tell, so only the file shows it.
    const int status = InChild(
        [&] {
          const bool saved = f.Save();
          return !saved || std::string(f.Name) == "settings.conf";
        },
        -1, 16);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadAll(f.Path()), oldBytes);
    EXPECT_FALSE(fs::exists(f.Path().string() + ".tmp"));
    EXPECT_EQ(f.LoadBack(), f.Old);
  }
}

TEST_F(NothingLost, FoldersThatCantBeWrittenOrMadeNeverStopTheGame) {
  for (const TSavedFile& f : Files()) SaveOld(f);
  // Read-only: the files are there but the folders can't take a new one. As root that takes
  // another user, in the child.
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec;
  for (const TSavedFile& f : Files()) fs::permissions(f.Path().parent_path(), readOnly);
  fs::permissions(G.ProgramFolder, readOnly);
  const int status = InChild(
      [] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        bool ok = true;
        for (const TSavedFile& f : Files()) {
          ok = f.LoadBack() == f.Old && ok;
          f.MakeNew();
          f.Save();
          ok = f.LoadBack() == f.Old && ok;
        }
        return ok;
      },
      -1);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  for (const TSavedFile& f : Files()) fs::permissions(f.Path().parent_path(), fs::perms::owner_all);

  // Missing, and can't be made: "Morvane" is a plain file.
  fs::remove_all(home / "Morvane");
  std::ofstream(home / "Morvane") << "not a folder";
  ForgetHighScores();
  G.SFXVol = 5;
  EXPECT_NO_THROW(LoadSettings());
  EXPECT_EQ(G.SFXVol, 5);
  EXPECT_NO_THROW(SaveSettings());
  EXPECT_NO_THROW(SaveMaxLevel());
  EXPECT_NO_THROW(LoadHighScores());
  EXPECT_EQ(HighScores[0].Points, 0);
  // The high scores fall back to the program's folder.
  fs::permissions(G.ProgramFolder, fs::perms::owner_all);
  EXPECT_TRUE(SaveHighScores());
  EXPECT_TRUE(fs::exists(G.ProgramFolder + "Hiscore.dat"));
}

// A window whose every event is an error.
class TBrokenVideo : public TFakeVideo {
 public:
  bool PollEvent(TInputEvent&) override { throw std::runtime_error("broken"); }
};

TEST(NothingLostOnTheWayOut, ErrorsThatKeepComingStillSaveOnTheWayOut) {
  TBrokenVideo video;
  TGameSession session{SessionTest::Options(video)};
  G.SFXVol = 4;
  G.Difficulty = 3;
  G.MaxLevel = 6;
  TApplication& app = session.App();
  app.Run();  // three errors within a second: the game gives up
  EXPECT_EQ(app.ExitCode(), 1);
  EXPECT_TRUE(session.Form().Closed());
  TSettingsKey key;
  ASSERT_TRUE(key.Open(SettingsFolder(), false));
  EXPECT_EQ(key.ReadInteger("SFXVol"), 4);
  EXPECT_EQ(key.ReadInteger("Diff"), 3);
  EXPECT_EQ(key.ReadInteger("Level"), 6);
}

}  // namespace
