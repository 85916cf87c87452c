// tarvelle-check: plays one replay to its end and says whether the game played as recorded,
// for the world table's verifier. Meant to run as a program of its own with limits (see
// CheckReplayInChild, session/check_child.h), so a replay from a stranger costs no more.
//
//   tarvelle-check [--data DIR] [--cpu SECONDS] [--memory MB] [--levels-size N]  < INPUT
//
// Input, on standard input: the level file's N bytes (a pack: N = 0 or no --levels-size plays
// the game's own levels, LevelsFree.dat in DIR or beside the program), then the replay file's
// bytes to the end. Everything is read before the game starts; the program opens no file of
// the input's naming, and writes nothing but its answer (its per-user folder is a temporary
// one, removed at the end).
//
// Output, on standard output: one line, a JSON object.
//   {"verdict":"exact","levels":"8 hex digits","difficulty":D,"start":L0,"length_ms":MS,
//    "frames":F,"score":S,"lives":N,"level":L,"random":R,"recorded_score":S,
//    "recorded_lives":N,"recorded_level":L,"recorded_random":R}
//   "differs" has the same fields and where the game first went another way: "entry" (the
//   recording's call, from 0; -1 when only the end differs), "frame" (frames before it; -1),
//   "time_ms" (its time from the start) and "what" (a sentence).
//   {"verdict":"damaged","message":"..."}         no replay this game plays
//   {"verdict":"unknown-levels","message":"..."}  recorded on other levels than those given
// Exit status: 0 exact, 1 differs, 2 damaged or unknown levels, 3 out of memory (no answer),
// 4 a bad argument, unreadable input or levels the game can't play (a message on standard
// error). --cpu and --memory limit the program itself (processor seconds, address space)
// before it reads anything: beyond the processor time the system ends it (SIGXCPU).
#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <new>
#include <string>

#include "platform/limited_run.h"
#include "platform/process_env.h"
#include "session/game_session.h"
#include "session/replay_check.h"

namespace {

constexpr const char* kUsage =
    "usage: tarvelle-check [--data DIR] [--cpu SECONDS] [--memory MB] [--levels-size N] "
    "< LEVELS+REPLAY\n";

bool ParseNumber(const char* s, int64_t lo, int64_t hi, int64_t& out) {
  const char* end = s + std::strlen(s);
  const auto [p, err] = std::from_chars(s, end, out);
  return err == std::errc() && p == end && out >= lo && out <= hi;
}

int Bad(const std::string& what) {
  std::fprintf(stderr, "tarvelle-check: %s\n%s", what.c_str(), kUsage);
  return 4;
}

void Limit(int resource, rlim_t value, rlim_t hard) {
  const rlimit l{value, hard};
  ::setrlimit(resource, &l);
}

}  // namespace

int main(int argc, char** argv) {
  process::BinaryStandardOutput();
  TSessionOptions options;
  // Nothing on screen and nothing drawn that the rules never read: the game plays the same.
  options.Offscreen = true;
  options.Pictures = false;
  int64_t levelsSize = 0, cpu = 0, memory = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return Bad(a == "--help" ? "" : a + " needs a value");
    const char* v = argv[++i];
    if (a == "--data") {
      options.Data = v;
    } else if (a == "--cpu") {
      if (!ParseNumber(v, 0, 86400, cpu)) return Bad("--cpu takes 0 to 86400 seconds");
    } else if (a == "--memory") {
      if (!ParseNumber(v, 0, 1 << 20, memory)) return Bad("--memory takes 0 to 1048576 MB");
    } else if (a == "--levels-size") {
      if (!ParseNumber(v, 0, 64 << 20, levelsSize)) return Bad("--levels-size is out of range");
    } else {
      return Bad("unknown option " + a);
    }
  }
  if (cpu > 0) Limit(RLIMIT_CPU, static_cast<rlim_t>(cpu), static_cast<rlim_t>(cpu + 1));
  if (memory > 0 && !kAddressSanitizer)
    Limit(RLIMIT_AS, static_cast<rlim_t>(memory) << 20, static_cast<rlim_t>(memory) << 20);
  try {
    const std::string input{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};
    if (static_cast<int64_t>(input.size()) < levelsSize)
      return Bad("the input ends within the level file");
    const auto split = static_cast<size_t>(levelsSize);
    TGameSession session(options);
    if (split > 0) {
      const std::string problem =
          session.PlayLevelFile(std::string_view(input).substr(0, split), "the level file");
      if (!problem.empty()) return Bad(problem);
    }
    const TReplayCheck c =
        CheckReplayBytes(session, std::string_view(input).substr(split), "the replay");
    std::cout << ReplayCheckJson(c) << "\n";
    std::cout.flush();
    switch (c.Verdict) {
      case TReplayCheck::Exact:
        return 0;
      case TReplayCheck::Differs:
        return 1;
      default:
        return 2;
    }
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "tarvelle-check: out of memory\n");
    return 3;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-check: %s\n", e.what());
    return 4;
  }
}
