#include "game/replay_recorder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/globals.h"
#include "core/random.h"
#include "game/level_pack.h"
#include "game/screens.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/paths.h"

namespace {

constexpr size_t KeepLast = 20;

// Keeps the readings of the game's clock while a call is recorded.
class TRecordingTap : public IClockTap {
 public:
  uint32_t Read(uint32_t now) override {
    if (target) target->push_back(now);
    return now;
  }
  std::vector<uint32_t>* target = nullptr;
};

struct TRecorder {
  bool on = false;
  bool recording = false;
  int depth = 0;
  TReplay replay;
  TRecordingTap tap;
  IClockTap* previousTap = nullptr;
  std::string lastFile;
} rec;

void Capture(std::vector<uint32_t>* target) {
  rec.tap.target = target;
  if (target && ClockTap() != &rec.tap) {
    rec.previousTap = ClockTap();
    SetClockTap(&rec.tap);
  } else if (!target && ClockTap() == &rec.tap) {
    SetClockTap(rec.previousTap);
  }
}

std::string Stamp() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{now - day};
  char s[32];
  std::snprintf(s, sizeof s, "%04d%02u%02u-%02d%02d%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return s;
}

// The score a replay file name carries, -1 for a name of another kind.
int64_t ScoreOf(const std::string& name, bool& high) {
  high = name.find("-hiscore") != std::string::npos;
  const size_t s = name.find("-s");
  if (s == std::string::npos) return -1;
  return std::atoll(name.c_str() + s + 2);
}

// Keeps the newest 20 replays and any replay of a score still in the high-score table.
void Prune(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::vector<std::string> names;
  for (const auto& f : fs::directory_iterator(paths::PathOf(folder), ec))
    if (f.path().extension() == ".tvr") names.push_back(paths::Utf8Of(f.path().filename()));
  std::sort(names.rbegin(), names.rend());  // newest first: names begin with the time
  for (size_t i = KeepLast; i < names.size(); ++i) {
    bool high = false;
    const int64_t score = ScoreOf(names[i], high);
    const bool inTable = high && Screens.InHighScores(score);
    if (!inTable) fs::remove(paths::PathOf(folder + names[i]), ec);
  }
}

}  // namespace

void SetReplayRecording(bool on) {
  rec.on = on;
  if (!on) {
    rec.recording = false;
    Capture(nullptr);
  }
}

bool ReplayRecordingOn() {
  return rec.on;
}

std::string ReplayFolder() {
  return paths::DataHome() + "Morvane/Tarvelle/replays/";
}

const std::string& LastReplayFile() {
  return rec.lastFile;
}

TTapeCallGuard::TTapeCallGuard(uint8_t call, int32_t a, int32_t b, int32_t c, int32_t d) {
  if (rec.recording && rec.depth == 0) {
    rec.replay.Entries.push_back({call, a, b, c, d, {}});
    Capture(&rec.replay.Entries.back().Reads);
    recorded_ = true;
  }
  ++rec.depth;
}

TTapeCallGuard::~TTapeCallGuard() {
  --rec.depth;
  if (!recorded_) return;
  Capture(nullptr);
  if (G.GameState == gsMenu || G.GameState == gsHighScores) FinishRecording();
}

TGameStartGuard::TGameStartGuard(int32_t startLevel) {
  if (!rec.on || G.TryingOut) return;  // a level tried from the level editor is not kept
  rec.replay = TReplay{};
  rec.replay.Seed = RandomState;
  rec.replay.Difficulty = G.Difficulty;
  // The title's "New Game" asks for level 0, which starts the first level as 1 does.
  rec.replay.StartLevel = std::max(startLevel, 1);
  rec.replay.MaxLevel = G.MaxLevel;
  rec.replay.SleepMs = G.SleepMs;
  rec.replay.Levels = LevelFileChecksum();
  rec.replay.Rules = PlayRules;
  rec.recording = false;
  Capture(&rec.replay.StartReads);
  started_ = true;
}

TGameStartGuard::~TGameStartGuard() {
  if (!started_) return;
  Capture(nullptr);
  // A refused start level starts no game.
  rec.recording = rec.on && G.GameState == gsPlaying;
  // The call that started the game is under way: its end is not an entry of the tape.
  rec.depth = std::max(rec.depth, 0);
}

void FinishRecording() {
  if (!rec.recording) return;
  rec.recording = false;
  Capture(nullptr);
  TReplay& r = rec.replay;
  r.Final = {G.Score, G.Lives, G.LevelNo, RandomState};
  const std::string folder = ReplayFolder();
  if (!paths::MakeFolders(folder)) return;
  const std::string base = Stamp() + "-l" + std::to_string(r.StartLevel) + "-s" +
                           std::to_string(G.Score) +
                           (G.GameState == gsHighScores ? "-hiscore" : "");
  std::string name = base + ".tvr";
  for (int n = 2; std::filesystem::exists(paths::PathOf(folder + name)) && n < 100; ++n)
    name = base + "-" + std::to_string(n) + ".tvr";
  if (files::WriteAtomically(folder + name, EncodeReplay(r))) rec.lastFile = folder + name;
  r = TReplay{};
  Prune(folder);
}
