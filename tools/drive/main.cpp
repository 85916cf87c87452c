// tarvelle-drive: runs the game headless on a virtual clock from a script.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "front/replay_player.h"
#include "game/level_pack.h"
#include "game/replay.h"
#include "game/replay_recorder.h"
#include "game/world_scores.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "tools/drive/driver.h"

namespace {

const char* kUsage =
    "usage: tarvelle-drive [--data DIR] [--home DIR] [--frame MS] [--seed N] [--depth 16|32] "
    "[--levels NAME|FILE] [--record] [--server URL] [SCRIPT]\n"
    "       tarvelle-drive [--data DIR] --replay FILE   plays a recorded game, prints how it "
    "ended\n"
    "  --levels  plays a level pack: NAME.dat in the packs' folder (under --home), or a file\n"
    "  --record  records each game the script plays into the replays folder (under --home)\n"
    "  --server  the world table's address (https://host/api/v1/): with --record, a score that\n"
    "            enters the table is asked about and sent as the game does\n";

bool ParseNumber(const char* s, int64_t lo, int64_t hi, int64_t& out) {
  const char* end = s + std::strlen(s);
  const auto [p, err] = std::from_chars(s, end, out);
  return err == std::errc() && p == end && out >= lo && out <= hi;
}

// Plays the recorded game headless and prints its last state and how it compares with the
// recording's end.
int PlayReplay(const TDriverOptions& options, const std::string& file) {
  try {
    const TReplay replay = ReadReplayFile(file);
    THeadlessDriver driver(options);
    TReplayPlayer player(replay, driver.Form());
    player.Start();
    while (player.Step()) {
    }
    const TReplayFinal now = TReplayPlayer::Now();
    std::cout << driver.StateJson() << "\n";
    std::cout << "{\"replay\":\"" << (now == replay.Final ? "exact" : "differs")
              << "\",\"score\":" << now.Score << ",\"lives\":" << now.Lives
              << ",\"level\":" << now.LevelNo << ",\"random\":" << now.RandomState
              << ",\"recorded\":{\"score\":" << replay.Final.Score
              << ",\"lives\":" << replay.Final.Lives << ",\"level\":" << replay.Final.LevelNo
              << ",\"random\":" << replay.Final.RandomState
              << "},\"settings\":{\"difficulty\":" << replay.Difficulty
              << ",\"sleep\":" << replay.SleepMs << "}}\n";
    return now == replay.Final ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-drive: %s\n", e.what());
    return 2;
  }
}

}  // namespace

int main(int argc, char** argv) {
  process::BinaryStandardOutput();  // "\n" stays one byte on Windows too
  TDriverOptions options;
  std::string scriptFile, replayFile, pack;
  bool record = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "tarvelle-drive: %s needs a value\n%s", a.c_str(), kUsage);
        std::exit(2);
      }
      return argv[++i];
    };
    int64_t n = 0;
    if (a == "--data") {
      options.Data = value();
    } else if (a == "--home") {
      options.Home = value();
    } else if (a == "--frame") {
      if (!ParseNumber(value(), 1, 10000, n)) {
        std::fprintf(stderr, "tarvelle-drive: --frame takes 1 to 10000 ms\n");
        return 2;
      }
      options.FrameMs = static_cast<int32_t>(n);
    } else if (a == "--seed") {
      if (!ParseNumber(value(), 0, UINT32_MAX, n)) {
        std::fprintf(stderr, "tarvelle-drive: --seed takes 0 to 4294967295\n");
        return 2;
      }
      options.Seed = static_cast<uint32_t>(n);
    } else if (a == "--depth") {
      if (!ParseNumber(value(), 16, 32, n) || (n != 16 && n != 32)) {
        std::fprintf(stderr, "tarvelle-drive: --depth takes 16 or 32\n");
        return 2;
      }
      options.Depth = static_cast<int32_t>(n);
    } else if (a == "--levels") {
      pack = value();
    } else if (a == "--record") {
      record = true;
    } else if (a == "--server") {
      world::SetServer(value());
    } else if (a == "--replay") {
      replayFile = value();
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      std::fprintf(stderr, "tarvelle-drive: unknown option %s\n%s", a.c_str(), kUsage);
      return 2;
    } else if (scriptFile.empty()) {
      scriptFile = a;
    } else {
      std::fprintf(stderr, "%s", kUsage);
      return 2;
    }
  }

  if (!pack.empty()) {
    // A pack by name is looked for in the home the game is given.
    if (!options.Home.empty()) paths::OverrideHome(options.Home);
    const std::string file = LevelPackPath(pack);
    paths::OverrideHome("");
    const std::string problem = CheckLevelPack(file);
    if (!problem.empty()) {
      std::fprintf(stderr, "tarvelle-drive: %s\n", problem.c_str());
      return 2;
    }
    SetLevelPack(file);
  }
  if (!replayFile.empty()) return PlayReplay(options, replayFile);
  std::stringstream text;
  if (scriptFile.empty() || scriptFile == "-") {
    text << std::cin.rdbuf();
  } else {
    std::ifstream in(scriptFile);
    if (!in) {
      std::fprintf(stderr, "tarvelle-drive: cannot read %s\n", scriptFile.c_str());
      return 2;
    }
    text << in.rdbuf();
  }
  std::vector<TScriptCommand> script;
  try {
    script = ParseScript(text.str());
  } catch (const EScriptError& e) {
    std::fprintf(stderr, "tarvelle-drive: %s%s%s\n", scriptFile.empty() ? "" : scriptFile.c_str(),
                 scriptFile.empty() ? "" : ": ", e.what());
    return 2;
  }
  try {
    THeadlessDriver driver(options);
    SetReplayRecording(record);
    driver.Run(script, std::cout);
    FinishRecording();
    SetReplayRecording(false);
    if (record && !LastReplayFile().empty())
      std::fprintf(stderr, "tarvelle-drive: last replay %s\n", LastReplayFile().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-drive: %s\n", e.what());
    return 1;
  }
  return 0;
}
