// tarvelle-bot: plays the game headless to prove that every level can be won, and records demos.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "core/level_set.h"
#include "game/demo_file.h"
#include "game/screen_text.h"
#include "media/png_writer.h"
#include "platform/paths.h"
#include "tools/bot/bot_search.h"
#include "tools/bot/curve.h"
#include "tools/bot/human_player.h"
#include "tools/demos/demo_play.h"
#include "tools/demos/demo_text.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t FrameLengths[] = {7, 16, 33};

void Usage() {
  std::cerr
      << "usage: tarvelle-bot prove [OPTIONS]          win every level on every difficulty\n"
         "       tarvelle-bot record [OPTIONS] OUT.txt  record demos that win at 7, 16, 33 ms\n"
      << CurveUsage
      << "       tarvelle-bot watch [--profile P] [--level N] [--difficulty D] [--seed S]\n"
         "                      [--frames DIR]  one try of the human-like player, key by key\n"
         "                      (with --frames, the screen at each key as DIR/0001.png, ...)\n"
      << "options: --data DIR  --level N  --difficulty D  --beam K  --frame MS  --tries N\n"
         "         --linger MS (record: look for food and bonuses before the diamond)\n";
}

struct TArgs {
  std::string Command, Out, Data;
  int32_t Level = 0, Difficulty = 0, Beam = 24, FrameMs = 16, Tries = 6, Linger = 0;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

int Prove(const TArgs& a) {
  std::printf("level  difficulty  won  seconds left  energy left  lives lost  search s  beam\n");
  int lost = 0;
  const auto all = std::chrono::steady_clock::now();
  for (int32_t level = 1; level <= LevelSetSize; ++level) {
    if (a.Level != 0 && level != a.Level) continue;
    for (int32_t d = 1; d <= 3; ++d) {
      if (a.Difficulty != 0 && d != a.Difficulty) continue;
      TBotOptions o;
      o.Data = a.Data;
      o.Level = level;
      o.Difficulty = d;
      o.Beam = a.Beam;
      o.FrameMs = a.FrameMs;
      const auto start = std::chrono::steady_clock::now();
      // A narrow search is quick; a level it can't win gets a wider one before giving up.
      TBotResult r = SearchWin(o);
      while (!r.Won && o.Beam < a.Beam * 16) {
        o.Beam *= 4;
        r = SearchWin(o);
      }
      std::printf("%5d  %10d  %-3s  %12d  %11d  %10d  %8.1f  %4d\n", level, d, r.Won ? "yes" : "NO",
                  r.TimeLeft, r.Energy, r.LivesLost, Seconds(start), o.Beam);
      std::fflush(stdout);
      lost += r.Won ? 0 : 1;
    }
  }
  std::printf("%d not won; %.0f s in all\n", lost, Seconds(all));
  return lost > 0 ? 1 : 0;
}

// Shows the demo through the game's own playback at every frame length.
bool WinsEverywhere(const TDemo& demo, const std::string& levels, std::string& report) {
  const fs::path dir = fs::temp_directory_path() / ("tarvelle-bot-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::copy_file(levels, dir / "LevelsFree.dat", fs::copy_options::overwrite_existing);
  const std::vector<uint8_t> bytes = EncodeDemoFile({demo});
  std::ofstream(dir / "DemoFree.dat", std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  bool all = true;
  report.clear();
  for (int32_t ms : FrameLengths) {
    const TDemoOutcome o = PlayDemo(dir.string(), 1, ms);
    report += ' ';
    report += std::to_string(ms);
    report += o.Won ? "ms:won" : "ms:lost@";
    if (!o.Won) report += std::to_string(o.LevelTicks);
    all = all && o.Won;
  }
  fs::remove_all(dir);
  return all;
}

int Record(const TArgs& a) {
  const std::string data = a.Data.empty() ? paths::ExecutableFolder() : a.Data;
  const std::string levels = (fs::path(data) / "LevelsFree.dat").string();
  std::vector<TDemoSource> demos;
  int missing = 0;
  for (int32_t level = 1; level <= LevelSetSize; ++level) {
    if (a.Level != 0 && level != a.Level) continue;
    bool kept = false;
    for (int32_t v = 0; v < a.Tries && !kept; ++v) {
      TBotOptions o;
      o.Data = a.Data;
      o.Level = level;
      o.DemoStyle = true;
      o.Beam = a.Beam + 8 * (v % 3);  // tries differ in their breadth too
      o.FrameMs = a.FrameMs;
      o.Variant = static_cast<uint32_t>(v);
      o.LingerMs = a.Linger;
      const TBotResult r = SearchWin(o);
      if (!r.Won) {
        std::printf("level %2d try %d: no win found\n", level, v);
        continue;
      }
      TDemoSource d;
      d.Demo.Level = level;
      d.Demo.Steps = r.Steps;
      std::string report;
      kept = WinsEverywhere(d.Demo, levels, report);
      std::printf(
          "level %2d try %d: won at %d ms, %zu moves, eats %d, bonuses %d, close calls %d;%s%s\n",
          level, v, r.LevelTicks, r.Steps.size(), r.Eaten, r.Bonuses, r.CloseCalls, report.c_str(),
          kept ? " kept" : "");
      std::fflush(stdout);
      if (!kept) continue;
      d.Notes.push_back("eats " + std::to_string(r.Eaten) + ", takes " + std::to_string(r.Bonuses) +
                        " bonus(es), passes " + std::to_string(r.CloseCalls) +
                        " time(s) beside a monster; " + std::to_string(r.TimeLeft) + " s left");
      demos.push_back(d);
    }
    missing += kept ? 0 : 1;
  }
  std::ofstream out(a.Out, std::ios::binary | std::ios::trunc);
  out << FormatDemoText(demos);
  if (!out) {
    std::cerr << a.Out << ": cannot write\n";
    return 1;
  }
  std::printf("%zu demo(s) written to %s; %d level(s) without one\n", demos.size(), a.Out.c_str(),
              missing);
  return missing > 0 ? 1 : 0;
}

// One try of the human-like player, printed key by key.
int Watch(int argc, char** argv) {
  TCurveArgs c;
  std::vector<std::string> words;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--frames" && i + 1 < argc) {
      ++i;
      continue;
    }
    words.push_back(argv[i]);
  }
  const std::string why = ParseCurveArgs(words, c);
  if (!why.empty() || (c.Profiles.size() != 3 && c.Profiles.size() != 1) ||
      c.Difficulties.size() != 1) {
    std::cerr << "tarvelle-bot watch: " << (why.empty() ? "one profile, one difficulty" : why)
              << "\n";
    return 2;
  }
  TBotOptions o;
  o.Data = c.Data;
  o.Level = c.Level == 0 ? 1 : c.Level;
  o.Difficulty = c.Difficulties.front();
  o.Seed = c.Seed;
  const THumanProfile& p = *FindHumanProfile(c.Profiles.size() == 1 ? c.Profiles[0] : "casual");
  std::printf("%s, level %d, difficulty %d, seed %u\n", p.Name.c_str(), o.Level, o.Difficulty,
              o.Seed);
  // --frames DIR: the screen as each key is pressed, a PNG each, to look at.
  std::string frames;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--frames") frames = argv[i + 1];
  int shot = 0;
  const THumanTry t = PlayLikeHuman(
      o, p,
      [&](const std::string& line) {
        std::printf("%s\n", line.c_str());
        if (frames.empty() || !ScreenSurface()) return;
        char name[32];
        std::snprintf(name, sizeof name, "/%04d.png", ++shot);
        if (!WritePng(*ScreenSurface(), frames + name))
          std::fprintf(stderr, "%s%s: cannot write\n", frames.c_str(), name);
      },
      !frames.empty());
  return t.Won ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "curve") {
    TCurveArgs c;
    const std::string why = ParseCurveArgs(std::vector<std::string>(argv + 2, argv + argc), c);
    if (!why.empty()) {
      std::cerr << "tarvelle-bot curve: " << why << "\n";
      Usage();
      return 2;
    }
    try {
      return RunCurve(c, std::cout, std::cerr);
    } catch (const std::exception& e) {
      std::cerr << "tarvelle-bot: " << e.what() << "\n";
      return 1;
    }
  }
  if (argc >= 2 && std::string(argv[1]) == "watch") return Watch(argc, argv);
  TArgs a;
  for (int i = 1; i < argc; ++i) {
    const std::string s = argv[i];
    auto number = [&]() {
      if (i + 1 >= argc) {
        Usage();
        std::exit(2);
      }
      return std::atoi(argv[++i]);
    };
    if (s == "--data" && i + 1 < argc)
      a.Data = argv[++i];
    else if (s == "--level")
      a.Level = number();
    else if (s == "--difficulty")
      a.Difficulty = number();
    else if (s == "--beam")
      a.Beam = std::max(1, number());
    else if (s == "--frame")
      a.FrameMs = std::clamp(number(), 1, 100);
    else if (s == "--linger")
      a.Linger = std::max(0, number());
    else if (s == "--tries")
      a.Tries = std::max(1, number());
    else if (a.Command.empty())
      a.Command = s;
    else if (a.Out.empty())
      a.Out = s;
    else {
      Usage();
      return 2;
    }
  }
  try {
    if (a.Command == "prove") return Prove(a);
    if (a.Command == "record" && !a.Out.empty()) return Record(a);
  } catch (const std::exception& e) {
    std::cerr << "tarvelle-bot: " << e.what() << "\n";
    return 1;
  }
  Usage();
  return 2;
}
