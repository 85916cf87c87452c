// tarvelle-soak: plays the real game headless for a long while on the virtual clock, the way a
// restless player would: demos from the title, every screen opened and left, games played to
// their end with names entered in the high-score table, the games' replays played back, and the
// bot searching levels. Virtual time counts whatever the game played: the window's clock, the
// span of each replay played back and the bot's frames. Prints the live heap after each round
// and the peak resident memory of the first and of the last hour (half of a shorter run). Fails
// over a run of two hours or more when the live heap grew by 1 MiB or more from the first hour's
// end (in a normal build, also when the last hour's peak is 1 MiB or more above the first's),
// when a replay does not end as it was played, or when no game was played; at the end, prints
// where the real time went.
//
// usage: tarvelle-soak [MINUTES] [--data DIR]     (virtual minutes, default 120)
#include <sys/resource.h>
#ifndef __SANITIZE_ADDRESS__
#include <malloc.h>
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "core/globals.h"
#include "front/screen_calls.h"
#include "game/replay.h"
#include "game/replay_recorder.h"
#include "session/replay_check.h"
#include "tools/bot/bot_search.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace {

// The peak resident memory since the start or since the last RestartPeak.
long PeakKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// Starts a new peak from the memory in use now; false where the system can't.
bool RestartPeak() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
  f.flush();
  return static_cast<bool>(f);
}

// Real time and virtual time spent in each part of the soak.
enum TPart { ptWindow, ptDemos, ptScreens, ptGames, ptReplays, ptBot, PartCount };
const char* const PartNames[PartCount] = {"windows", "demos", "screens", "games", "replays", "bot"};

struct TTally {
  std::array<double, PartCount> RealS{};
  std::array<uint64_t, PartCount> VirtualMs{};
  uint64_t Virtual() const {
    uint64_t sum = 0;
    for (uint64_t ms : VirtualMs) sum += ms;
    return sum;
  }
};

// Times one part: real time by the wall clock, virtual time as the part reports it.
class TTimed {
 public:
  TTimed(TTally& t, TPart p) : t_(t), p_(p), start_(std::chrono::steady_clock::now()) {}
  ~TTimed() {
    t_.RealS[p_] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }
  TTimed(const TTimed&) = delete;
  TTimed& operator=(const TTimed&) = delete;

 private:
  TTally& t_;
  TPart p_;
  std::chrono::steady_clock::time_point start_;
};

#ifdef __SANITIZE_ADDRESS__
// The sanitizer's allocator (its header does not come with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// The bytes the program holds allocated now (the allocator's own count).
long HeapKiB() {
#ifdef __SANITIZE_ADDRESS__
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

class TSoak {
 public:
  static inline int NamesEntered = 0;  // names typed into the high-score table, all windows

  TSoak(const TDriverOptions& o, std::mt19937& rng) : driver_(o), rng_(rng) {}

  // Virtual milliseconds played in this window.
  uint32_t Elapsed() { return driver_.VirtualClock().Now() - start_; }

  void Run(const std::string& script) {
    std::ostringstream out;
    driver_.Run(ParseScript(script), out);
  }
  // Chooses menu item k (1 New Game .. 6 Exit): Esc selects the last, Down wraps to the first.
  void Choose(int k) {
    std::string s = "tap Esc\ntap Down\n";
    for (int i = 1; i < k; ++i) s += "tap Down\n";
    Run(s + "tap Enter\nframes 2\n");
  }
  // One key at a time, as each screen wants it, until the title menu is back.
  void BackToMenu() {
    for (int i = 0; i < 40 && G.GameState != gsMenu; ++i) {
      switch (G.GameState) {
        case gsExitPrompt:
          Run("tap Y\nframes 2\n");
          break;
        case gsLevelDone:
        case gsDead:
          Run("tap Space\nframes 2\n");
          break;
        case gsHighScores:
          Run(RecordsEntering() ? "tap Enter\nframes 2\n" : "tap Esc\nframes 2\n");
          break;
        case gsDying:
        case gsCaught:
        case gsTransition:
          Run("frames 10\n");
          break;
        default:
          Run("tap Esc\nframes 2\n");
          break;
      }
    }
  }
  void Demos() {
    Choose(4);
    Run("wait " + std::to_string(30000 + rng_() % 60000) + "\ntap F2\nwait 2000\ntap F2\n");
    Run("tap Space\nframes 2\n");
    BackToMenu();
  }
  void Screens() {
    Choose(5);  // help, page by page
    Run("tap Enter\nframes 10\ntap Enter\nframes 10\n");
    BackToMenu();
    Choose(3);  // options: volumes and difficulty up and down
    Run("tap Right\nframes 3\ntap Left\nframes 3\ntap Down\ntap Right\nframes 3\ntap Left\n"
        "tap Down\ntap Right\ntap Left\nframes 3\n");
    BackToMenu();
    Choose(2);  // high scores
    Run("frames 30\ntap Space\nframes 2\n");
    BackToMenu();
  }
  // A game played by hops now and then toward nowhere in particular, to its end; a score that
  // earns a place is entered with a name.
  void Game() {
    SetReplayRecording(true);
    Choose(1);
    static const char* const moves[] = {"Left", "Right", "Up", "Down", "Up", "Right"};
    for (int step = 0; step < 4000; ++step) {
      switch (G.GameState) {
        case gsPlaying:
          Run(std::string("tap ") + moves[rng_() % 6] + "\nwait " +
              std::to_string(250 + rng_() % 400) + "\n");
          if (rng_() % 40 == 0) Run("tap P\nwait 500\ntap P\n");
          break;
        case gsHighScores:
          if (RecordsEntering()) {
            Run("type Soak " + std::to_string(rng_() % 1000) + "\ntap Enter\nframes 3\n");
            ++NamesEntered;
          }
          Run("tap Space\nframes 2\n");
          break;
        case gsLevelDone:
        case gsDead:
          Run("frames 5\ntap Space\nframes 2\n");
          break;
        case gsMenu:
          SetReplayRecording(false);
          return;
        default:
          Run("frames 5\n");
          break;
      }
    }
    SetReplayRecording(false);
    BackToMenu();
  }
  // Leaves by the title's "Exit", as a player ends a run: the game saves its settings.
  void Quit() {
    BackToMenu();
    Run("tap Esc\ntap Enter\nframes 2\n");
  }
  // The last game's replay, played back in this window, must end as the game did. Adds the
  // recording's span to `playedMs`.
  bool Replay(uint64_t& playedMs, int& checked) {
    if (LastReplayFile().empty()) return true;
    ++checked;
    const TReplayCheck c = CheckReplay(driver_, ReadReplayFile(LastReplayFile()));
    playedMs += c.LengthMs;
    const bool same = c.Verdict == TReplayCheck::Exact;
    if (!same)
      std::cerr << "tarvelle-soak: " << LastReplayFile()
                << " ended otherwise: " << ReplayCheckJson(c) << "\n";
    BackToMenu();
    return same;
  }

 private:
  THeadlessDriver driver_;
  std::mt19937& rng_;
  uint32_t start_ = driver_.VirtualClock().Now();
};

}  // namespace

int main(int argc, char** argv) {
  uint32_t minutes = 120;
  TDriverOptions o;
  o.FrameMs = 20;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--data" && i + 1 < argc)
      o.Data = argv[++i];
    else
      minutes = static_cast<uint32_t>(std::strtoul(argv[i], nullptr, 10));
  }
  if (minutes == 0) {
    std::cerr << "usage: tarvelle-soak [MINUTES] [--data DIR]\n";
    return 2;
  }
  // The first part ends after an hour, or halfway through a shorter soak.
  const uint32_t firstPart = minutes >= 120 ? 60 : minutes / 2;
  std::mt19937 rng(7);
  // The first and the last part (of the same length) are held against each other: their peaks,
  // each measured from its own start where the system allows.
  const uint32_t lastFrom = minutes - firstPart;
  long firstPeak = 0, firstHeap = 0, runPeak = 0;
  bool lastStarted = false, perPart = true;
  int botRuns = 0, games = 0, replaysChecked = 0, replaysWrong = 0;
  TTally tally;
  // Counts the virtual time a part of the window played.
  auto windowPart = [&](TSoak& soak, TPart part, auto&& play) {
    const TTimed timed(tally, part);
    const uint32_t before = soak.Elapsed();
    play();
    tally.VirtualMs[part] += soak.Elapsed() - before;
  };
  // One window plays several rounds, as an evening of play does; then the player quits (the
  // game saves its settings) and the bot searches in a window of its own (one window at a time:
  // the game's state is the process's).
  constexpr int RoundsPerWindow = 3;
  for (int cycle = 0; tally.Virtual() < uint64_t{minutes} * 60000; ++cycle) {
    {
      std::optional<TSoak> soak;
      {
        const TTimed timed(tally, ptWindow);
        soak.emplace(o, rng);
      }
      windowPart(*soak, ptWindow, [&] { soak->Run("frames 5\n"); });
      for (int round = 0; round < RoundsPerWindow; ++round) {
        windowPart(*soak, ptDemos, [&] { soak->Demos(); });
        windowPart(*soak, ptScreens, [&] { soak->Screens(); });
        windowPart(*soak, ptGames, [&] { soak->Game(); });
        ++games;
        const TTimed timed(tally, ptReplays);
        if (!soak->Replay(tally.VirtualMs[ptReplays], replaysChecked)) ++replaysWrong;
      }
      windowPart(*soak, ptWindow, [&] { soak->Quit(); });
      const TTimed timed(tally, ptWindow);
      soak.reset();
    }
    {
      // The bot plays with saved copies of the whole game.
      const TTimed timed(tally, ptBot);
      TBotOptions b;
      b.Data = o.Data;
      b.Level = 1 + cycle % 4;
      b.Beam = 8;
      b.FrameMs = o.FrameMs;
      tally.VirtualMs[ptBot] += static_cast<uint64_t>(SearchWin(b).Frames) * b.FrameMs;
      ++botRuns;
    }
    const auto played = static_cast<uint32_t>(tally.Virtual() / 60000);
    runPeak = std::max(runPeak, PeakKiB());  // kept here: restarting the peak forgets it
    if (firstPeak == 0 && played >= firstPart) {
      firstPeak = PeakKiB();
      firstHeap = HeapKiB();
    }
    if (!lastStarted && played >= lastFrom) {
      lastStarted = true;
      perPart = RestartPeak();
    }
    std::printf(
        "minute %u: %d games, %d names entered, %d replays, %d bot searches, heap %ld KiB, "
        "peak %ld KiB\n",
        played, games, TSoak::NamesEntered, replaysChecked, botRuns, HeapKiB(), runPeak);
    std::fflush(stdout);
  }
  std::printf("part      real s  virtual min\n");
  for (int p = 0; p < PartCount; ++p)
    std::printf("%-8s %7.1f %12.1f\n", PartNames[p], tally.RealS[p],
                static_cast<double>(tally.VirtualMs[p]) / 60000.0);
  const long lastPeak = PeakKiB();
  runPeak = std::max(runPeak, lastPeak);
  std::printf(
      "peak resident memory: %ld KiB in the first %u minutes, %ld KiB in the last %u "
      "(%+ld KiB)%s; %ld KiB over the whole run\n",
      firstPeak, firstPart, lastPeak, firstPart, lastPeak - firstPeak,
      perPart ? "" : " (the last part's peak counts from the start: no /proc)", runPeak);
  const long lastHeap = HeapKiB();
  std::printf("live heap between rounds: %ld KiB after %u minutes, %ld KiB at the end (%+ld KiB)\n",
              firstHeap, firstPart, lastHeap, lastHeap - firstHeap);
  // A soak that never got into a game tests nothing of it.
  if (tally.VirtualMs[ptGames] == 0 || replaysChecked == 0) {
    std::printf("no game was played and replayed\n");
    return 1;
  }
  if (replaysWrong > 0) {
    std::printf("%d replays did not end as played\n", replaysWrong);
    return 1;
  }
  // A short soak is still warming up (allocator caches, the sanitizer's own tables): its memory
  // is printed, and judged only over a run of two hours or more. What the game holds must not
  // grow; nor, in a normal build, the resident memory. Under AddressSanitizer the resident
  // memory drifts up while the heap stays flat: freed blocks wait in its quarantine and come
  // back from other pages, so more of its allocator's pages stay touched. There the heap counts.
  if (minutes >= 120) {
    bool grew = lastHeap - firstHeap >= 1024;
#ifndef __SANITIZE_ADDRESS__
    grew = grew || lastPeak - firstPeak >= 1024;
#endif
    if (grew) {
      std::printf("memory grew by 1 MiB or more\n");
      return 1;
    }
  }
  return 0;
}
