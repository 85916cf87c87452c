// The editor's win rate: the casual player's tries in a program beside the editor (its report
// read line by line, its stop ending every process it started), started once an edit settles
// and stopped by any change, and the panel's line for each state.
#include "tools/editor/editor_rate.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "support/level_files.h"

namespace {

using namespace std::chrono_literals;

// A stand-in for the tries' program: a shell script that checks it was started as
// `--rate D -` with a whole level record on its standard input, then runs body.
class RateProgram {
 public:
  explicit RateProgram(const std::string& body) {
    folder_ = process::MakeTemporaryFolder("tarvelle-rate-");
    path_ = folder_ + "/rate.sh";
    std::ofstream(path_) << "#!/bin/sh\n"
                         << "[ \"$1\" = --rate ] && [ \"$3\" = - ] || exit 3\n"
                         << "[ \"$(wc -c)\" = " << LevelRecordSize << " ] || exit 4\n"
                         << body << "\n";
    ::chmod(path_.c_str(), 0755);
  }
  ~RateProgram() { std::filesystem::remove_all(folder_); }
  const std::string& Path() const { return path_; }

 private:
  std::string folder_, path_;
};

const TLevelRecord Pond = level_files::Islands(3, 1);

// Reads the child's status until it has ended (or 20 s have passed).
TRateStatus Ended(TRateChild& child) {
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (child.Status().Running && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(5ms);
  return child.Status();
}

TEST(RateChild, ReadsProgressAndTheResultAndSkipsWhatItCannotRead) {
  RateProgram program(
      "echo progress 1 40; echo progress 2 40; echo progress 9 3; echo 'result 5 9 1 1 eaten'; "
      "echo noise; echo progress 40 40; echo 'result 40 12 31 64 drowned'");
  TRateChild child(program.Path());
  ASSERT_TRUE(child.Start(Pond, 2)) << child.Status().Error;
  const TRateStatus s = Ended(child);
  EXPECT_FALSE(s.Running);
  EXPECT_TRUE(s.Done);
  EXPECT_EQ(s.Error, "");
  EXPECT_EQ(s.Difficulty, 2);
  EXPECT_EQ(s.Played, 40);
  EXPECT_EQ(s.Total, 40);
  EXPECT_EQ(s.Won, 12);
  EXPECT_EQ(s.TimeLeft, 31);
  EXPECT_EQ(s.Energy, 64);
  EXPECT_EQ(s.CommonLoss, "drowned");
}

TEST(RateChild, ABadEndOrABadLevelIsAnErrorNotARate) {
  struct Case {
    const char* Body;
    const char* Error;
  };
  const Case cases[] = {
      {"echo progress 3 40; exit 1", "its tries ended badly"},
      {"echo progress 3 40", "its tries ended badly"},  // no result
      {"echo 'result 40 12 31 64 drowned'; exit 2", "its tries ended badly"},
  };
  for (const Case& c : cases) {
    RateProgram program(c.Body);
    TRateChild child(program.Path());
    ASSERT_TRUE(child.Start(Pond, 1));
    const TRateStatus s = Ended(child);
    EXPECT_FALSE(s.Done) << c.Body;
    EXPECT_EQ(s.Error, c.Error) << c.Body;
  }
  TRateChild missing("/nonexistent/tarvelle-editor");
  EXPECT_FALSE(missing.Start(Pond, 1) && Ended(missing).Done);
  EXPECT_NE(missing.Status().Error, "");

  RateProgram program("echo 'result 1 1 1 1 none'");
  TRateChild child(program.Path());
  TLevelRecord broken = Pond;
  broken.Cell(2, 1).MaxSize = 0;
  EXPECT_FALSE(child.Start(broken, 1));
  EXPECT_EQ(child.Status().Error,
            "mend the level first: cell (2, 1): MaxSize is 0, at least 1 for an island");
}

// The processes whose parent is pid, and whether pid itself still runs (a zombie is not).
std::set<int> ChildrenOf(int pid) {
  std::set<int> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) continue;
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    char state = 0;
    int parent = 0;
    if (rest >> state >> parent && parent == pid && state != 'Z')
      children.insert(std::stoi(entry.path().filename()));
  }
  return children;
}
bool Alive(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  return std::getline(stat, line) && line.substr(line.rfind(')') + 2, 1) != "Z";
}

// The real tries' program: its report read whole on a pond of three islands that anyone wins;
// stopped while its tries run (a level the casual player survives on islands with food for the
// whole of its 999 seconds, the diamond cut off), it ends with every process it started.
TEST(RateChild, TheRealProgramIsReadAndAStopEndsItWithAllItsProcesses) {
  TRateChild real(TARVELLE_BUILD_DIR "/tarvelle-editor");
  ASSERT_TRUE(real.Start(Pond, 1)) << real.Status().Error;
  const TRateStatus won = Ended(real);
  EXPECT_TRUE(won.Done) << won.Error;
  EXPECT_EQ(won.Played, 40);
  EXPECT_GT(won.Won, 20);  // two hops over islands: a slip now and then at most
  EXPECT_GT(won.TimeLeft, 50);
  EXPECT_GT(won.Energy, 0);

  TLevelRecord level = level_files::Islands(6, 6);
  level.TimeLimit = 999;
  level.DiamondX = 6;
  level.DiamondY = 1;
  level.Cell(5, 1) = level.Cell(5, 2) = level.Cell(6, 2) = TLevelCell{};
  for (int x = 1; x <= 4; ++x) level.Cell(x, 4).Objects[0] = {otFood, 0};
  TRateChild child(TARVELLE_BUILD_DIR "/tarvelle-editor");
  ASSERT_TRUE(child.Start(level, 2)) << child.Status().Error;

  int program = 0;
  std::set<int> tries;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (tries.empty() && std::chrono::steady_clock::now() < deadline) {
    for (const int pid : ChildrenOf(::getpid())) {
      std::ifstream cmdline("/proc/" + std::to_string(pid) + "/cmdline");
      const std::string args((std::istreambuf_iterator<char>(cmdline)), {});
      if (args.find("--rate") != std::string::npos) program = pid;
    }
    if (program > 0) tries = ChildrenOf(program);
    std::this_thread::sleep_for(5ms);
  }
  ASSERT_FALSE(tries.empty()) << "the tries' processes did not start";
  EXPECT_TRUE(child.Status().Running);

  child.Stop();
  EXPECT_FALSE(child.Status().Running);
  EXPECT_FALSE(child.Status().Done);
  EXPECT_FALSE(Alive(program));
  const auto gone = std::chrono::steady_clock::now() + 10s;
  auto anyAlive = [&] { return std::any_of(tries.begin(), tries.end(), Alive); };
  while (anyAlive() && std::chrono::steady_clock::now() < gone) std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(anyAlive()) << "a try's process outlived the stop";
}

// The editor's rate on a clock of the test's own: nothing runs until the level has stayed the
// same for the settling time; a change stops the tries and starts the wait again.
class EditorRate : public ::testing::Test {
 protected:
  // Tries that report their progress and then wait for a file before giving their result.
  RateProgram program{
      "echo progress 1 40; while [ ! -e \"$(dirname \"$0\")/go\" ]; do sleep "
      "0.02; done; echo progress 40 40; echo 'result 40 12 31 64 drowned'"};
  std::string Go() const { return std::filesystem::path(program.Path()).parent_path() / "go"; }
  TEditorRate rate{program.Path(), 600};
  int64_t now = 1000;
  int32_t difficulty = 2;

  void At(int64_t ms, const TLevelRecord& level, int32_t d = 2, bool held = false) {
    now = ms;
    difficulty = d;
    rate.Update(level, true, difficulty, held, now, 1);
  }
  // Updates with the same level until the tries have reported progress (or ended).
  void UntilProgress(const TLevelRecord& level) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (rate.Status().Running && rate.Status().Played == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
      At(now, level, difficulty);
    }
  }
  void UntilEnded(const TLevelRecord& level) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (rate.Status().Running && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(5ms);
      At(now, level, difficulty);
    }
  }
};

TEST_F(EditorRate, StartsOnceTheLevelSettlesAndAnEditStopsTheTriesThatRun) {
  EXPECT_EQ(rate.Text(), "");
  At(1000, Pond);
  At(1599, Pond);
  EXPECT_TRUE(rate.Busy());
  EXPECT_FALSE(rate.Status().Running);
  EXPECT_EQ(rate.Text(), "Casual player at D2: plays once the level settles");
  At(1600, Pond);
  UntilProgress(Pond);
  EXPECT_EQ(rate.Text(), "Casual player at D2: 1 of 40 tries played");

  TLevelRecord edited = Pond;
  edited.TimeLimit = 50;
  At(1700, edited);  // the edit stops the tries of the level before it
  EXPECT_FALSE(rate.Status().Running);
  EXPECT_EQ(rate.Status().Played, 0);
  EXPECT_EQ(rate.Text(), "Casual player at D2: plays once the level settles");
  At(2000, edited, 3);  // so does another difficulty, and the wait starts again
  At(2599, edited, 3);
  EXPECT_FALSE(rate.Status().Running);
  At(2600, edited, 3);
  EXPECT_TRUE(rate.Status().Running);
  std::ofstream(Go()) << "";
  UntilEnded(edited);
  EXPECT_TRUE(rate.Status().Done);
  EXPECT_FALSE(rate.Busy());
  EXPECT_EQ(rate.Text(), "Casual player at D3: wins 3 times in 10 (40 tries)");
}

TEST_F(EditorRate, AMeasuredLevelShowsItsRateAtOnceAndTheGameWindowHoldsTheTries) {
  std::ofstream(Go()) << "";
  At(1000, Pond);
  At(1600, Pond);
  UntilEnded(Pond);
  ASSERT_TRUE(rate.Status().Done);

  TLevelRecord edited = Pond;
  edited.TimeLimit = 50;
  At(1700, edited, 2, true);  // the level tried in the game window meanwhile
  At(2400, edited, 2, true);
  EXPECT_FALSE(rate.Status().Running);
  EXPECT_EQ(rate.Text(), "Casual player: waits for the game window to close");
  At(2500, Pond);  // undone: the rate measured before, without a wait
  EXPECT_TRUE(rate.Status().Done);
  EXPECT_FALSE(rate.Busy());
  EXPECT_EQ(rate.Status().Won, 12);

  rate.Update(edited, false, 2, false, 2600, 1);  // a level with an error is not played
  rate.Update(edited, false, 2, false, 4000, 1);
  EXPECT_FALSE(rate.Status().Running);
  EXPECT_EQ(rate.Text(), "Casual player: plays the level once it is mended");
}

TEST(RateText, TellsTheRateAsAPersonWouldSayIt) {
  struct Case {
    bool Running, Done;
    int32_t Played, Won;
    const char* Error;
    const char* Text;
  };
  const Case cases[] = {
      {true, false, 0, 0, "", "Casual player at D2: 0 of 40 tries played"},
      {true, false, 17, 0, "", "Casual player at D2: 17 of 40 tries played"},
      {false, true, 40, 12, "", "Casual player at D2: wins 3 times in 10 (40 tries)"},
      {false, true, 40, 1, "", "Casual player at D2: wins 1 time in 10 (40 tries)"},
      {false, true, 40, 39, "", "Casual player at D2: wins 9 times in 10 (40 tries)"},
      {false, true, 40, 0, "", "Casual player at D2: no win in 40 tries"},
      {false, true, 40, 40, "", "Casual player at D2: won all 40 tries"},
      {false, false, 3, 0, "its tries ended badly", "Casual player at D2: its tries ended badly"},
      {false, false, 0, 0, "", ""},  // not measured
  };
  for (const Case& c : cases) {
    TRateStatus s;
    s.Difficulty = 2;
    s.Running = c.Running;
    s.Done = c.Done;
    s.Total = 40;
    s.Played = c.Played;
    s.Won = c.Won;
    s.Error = c.Error;
    EXPECT_EQ(RateText(s, false), c.Text) << c.Played << " " << c.Won;
  }
}

}  // namespace
