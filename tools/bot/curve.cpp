#include "tools/bot/curve.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "core/level_set.h"
#include "game/in_out_error.h"
#include "game/level_pack.h"
#include "game/level_reader.h"
#include "tools/bot/curve_picture.h"
#include "tools/bot/win_rate.h"

namespace fs = std::filesystem;

const char* const CurveUsage =
    "       tarvelle-bot curve [OPTIONS]          how often people win each level\n"
    "curve options: --levels FILE (a level file: 15 levels, or one level)  --level N\n"
    "         --profile first-time|casual|skilled|all (or a list: casual,skilled; default all)\n"
    "         --difficulty 1|2|3|all (or a list; default 2)  --tries N (default 100)\n"
    "         --jobs N (default: one per processor)  --seed S  --picture FILE.png\n"
    "  100 tries a level know a win rate to within 10 points either way (95 % of the time)\n"
    "  where it matters most, around one in two, and to within 4-6 points near the ends; the\n"
    "  15 levels of the three profiles then take about a minute on two cores.\n"
    "  --tries 400 halves that margin and takes four times as long.\n";

namespace {

bool Number(const std::string& s, int64_t lo, int64_t hi, int64_t& value) {
  const char* end = s.data() + s.size();
  const auto [p, ec] = std::from_chars(s.data(), end, value);
  return ec == std::errc() && p == end && !s.empty() && value >= lo && value <= hi;
}

std::vector<std::string> Split(const std::string& s) {
  std::vector<std::string> parts;
  std::stringstream in(s);
  std::string part;
  while (std::getline(in, part, ',')) parts.push_back(part);
  return parts;
}

// The levels the curve measures: the records to play and how many levels they are.
struct TLevelsToPlay {
  std::vector<TLevelRecord> Records;  // empty: the game's own
  int32_t Count = LevelSetSize;
};

// Reads --levels: a level file of 15 levels, or of one level (as the editor saves a level).
std::string ReadLevels(const std::string& file, TLevelsToPlay& levels) {
  try {
    const TLevelReader reader(file);
    const int32_t count = reader.RecordCount();
    if (count == 1) {
      levels.Records = {reader.ReadLevel(1)};
      levels.Count = 1;
      return "";
    }
    const std::string why = CheckLevelPack(file);
    if (!why.empty()) return why;
    levels.Records.clear();
    for (int32_t i = 1; i <= LevelSetSize; ++i) levels.Records.push_back(reader.ReadLevel(i));
    levels.Count = LevelSetSize;
    return "";
  } catch (const EInOutError& e) {
    return e.what();
  }
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

std::string ParseCurveArgs(const std::vector<std::string>& words, TCurveArgs& a) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    const bool takesValue = w == "--data" || w == "--levels" || w == "--picture" ||
                            w == "--profile" || w == "--difficulty" || w == "--level" ||
                            w == "--tries" || w == "--jobs" || w == "--seed";
    if (!takesValue) return "unknown option " + w;
    if (i + 1 >= words.size()) return w + " needs a value";
    const std::string& v = words[++i];
    int64_t n = 0;
    if (w == "--data") {
      a.Data = v;
    } else if (w == "--levels") {
      a.Levels = v;
    } else if (w == "--picture") {
      if (v.empty()) return "--picture needs a file name";
      a.Picture = v;
    } else if (w == "--profile") {
      a.Profiles.clear();
      for (const std::string& name : Split(v)) {
        if (name == "all") {
          a.Profiles.clear();
          for (const THumanProfile& p : HumanProfiles()) a.Profiles.push_back(p.Name);
          break;
        }
        if (!FindHumanProfile(name))
          return "--profile: no profile \"" + name + "\" (first-time, casual, skilled or all)";
        a.Profiles.push_back(name);
      }
      if (a.Profiles.empty()) return "--profile: no profile named";
    } else if (w == "--difficulty") {
      a.Difficulties.clear();
      for (const std::string& d : Split(v)) {
        if (d == "all") {
          a.Difficulties = {1, 2, 3};
          break;
        }
        if (!Number(d, 1, 3, n)) return "--difficulty: \"" + d + "\" is not 1, 2, 3 or all";
        a.Difficulties.push_back(static_cast<int32_t>(n));
      }
      if (a.Difficulties.empty()) return "--difficulty: no difficulty named";
    } else if (w == "--level") {
      if (!Number(v, 1, LevelSetSize, n)) return "--level: \"" + v + "\" is not a level 1 to 15";
      a.Level = static_cast<int32_t>(n);
    } else if (w == "--tries") {
      if (!Number(v, 1, 100000, n)) return "--tries: \"" + v + "\" is not a number 1 to 100000";
      a.Tries = static_cast<int32_t>(n);
    } else if (w == "--jobs") {
      if (!Number(v, 1, 256, n)) return "--jobs: \"" + v + "\" is not a number 1 to 256";
      a.Jobs = static_cast<int32_t>(n);
    } else if (w == "--seed") {
      if (!Number(v, 0, UINT32_MAX, n)) return "--seed: \"" + v + "\" is not a number";
      a.Seed = static_cast<uint32_t>(n);
    }
  }
  if (a.Profiles.empty())
    for (const THumanProfile& p : HumanProfiles()) a.Profiles.push_back(p.Name);
  if (a.Difficulties.empty()) a.Difficulties = {2};
  if (a.Tries == 0) a.Tries = DefaultCurveTries;
  if (!a.Picture.empty()) {
    // Named as the player wrote it (made absolute, a folder reads differently on Windows).
    const fs::path written = fs::path(a.Picture).parent_path();
    std::error_code ec;
    if (!fs::is_directory(fs::absolute(a.Picture).parent_path(), ec))
      return "--picture: no folder " + written.string();
  }
  return "";
}

int RunCurve(const TCurveArgs& a, std::ostream& out, std::ostream& progress) {
  TLevelsToPlay levels;
  if (!a.Levels.empty()) {
    const std::string why = ReadLevels(a.Levels, levels);
    if (!why.empty()) {
      progress << "tarvelle-bot curve: " << why << "\n";
      return 2;
    }
  }
  if (a.Level > levels.Count) {
    progress << "tarvelle-bot curve: --level " << a.Level << ": the file holds one level\n";
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const int32_t levelRuns = a.Level != 0 ? 1 : levels.Count;
  const int64_t total =
      static_cast<int64_t>(a.Profiles.size()) * a.Difficulties.size() * levelRuns * a.Tries;
  int64_t before = 0;  // tries of the levels measured already
  int32_t crashed = 0;
  bool oneDifficulty = a.Difficulties.size() == 1;
  std::vector<TCurveLine> lines;

  char row[200];
  out << "# the human-like player's win rate: " << a.Tries << " tries a level, seed " << a.Seed
      << (a.Levels.empty() ? "" : ", levels of " + a.Levels) << "\n";
  out << "profile     difficulty  level   won %   +/-  won/tries  time left  energy  "
         "commonest loss\n";
  for (int32_t d : a.Difficulties) {
    for (const std::string& name : a.Profiles) {
      const THumanProfile& profile = *FindHumanProfile(name);
      TCurveLine line;
      line.Label = oneDifficulty ? name : name + ", difficulty " + std::to_string(d);
      line.Profile = static_cast<int32_t>(&profile - HumanProfiles().data());
      line.Difficulty = d;
      line.Rates.assign(static_cast<size_t>(levels.Count), -1.0);
      for (int32_t level = 1; level <= levels.Count; ++level) {
        if (a.Level != 0 && level != a.Level) continue;
        int32_t shown = -1;
        double shownAt = -1;
        TBotOptions o;
        o.Data = a.Data;
        o.Levels = levels.Records;
        o.Level = level;
        o.Difficulty = d;
        o.Seed = a.Seed + static_cast<uint32_t>(level * 7919 + d * 104729);
        const TWinRate w = MeasureWinRate(o, profile, a.Tries, a.Jobs, [&](int32_t done, int32_t) {
          // A few times a second is enough for the eye.
          if (done == shown || Seconds(start) - shownAt < 0.2) return true;
          shown = done;
          shownAt = Seconds(start);
          std::snprintf(row, sizeof row,
                        "\rcurve: %s, difficulty %d, level %d: %lld of %lld tries, %.0f s  ",
                        name.c_str(), d, level, static_cast<long long>(before + done),
                        static_cast<long long>(total), Seconds(start));
          progress << row << std::flush;
          return true;
        });
        before += a.Tries;
        crashed += w.Crashed;
        const double rate = w.Rate();
        // The margin of the rate, 95 % of the time (the normal approximation).
        const double margin = w.Played > 0 ? 196.0 * std::sqrt(rate * (1 - rate) / w.Played) : 0.0;
        const TLoss loss = w.CommonestLoss();
        std::string lossText = loss == TLoss::None ? "-" : LossName(loss);
        if (loss != TLoss::None)
          lossText += " (" + std::to_string(w.Losses[static_cast<size_t>(loss)]) + ")";
        if (w.Crashed > 0) lossText += ", " + std::to_string(w.Crashed) + " crashed";
        std::snprintf(row, sizeof row, "%-10s  %10d  %5d  %6.1f  %4.1f  %4d/%-4d  %9d  %6d  %s\n",
                      name.c_str(), d, level, 100 * rate, margin, w.Won, w.Played, w.MedianTimeLeft,
                      w.MedianEnergy, lossText.c_str());
        out << row << std::flush;
        line.Rates[static_cast<size_t>(level - 1)] = w.Played > 0 ? rate : -1.0;
      }
      lines.push_back(line);
    }
  }
  const double seconds = Seconds(start);
  progress << "\r" << std::string(78, ' ') << "\r";
  std::snprintf(row, sizeof row, "# %lld tries in %.0f s%s\n", static_cast<long long>(total),
                seconds, crashed > 0 ? (", " + std::to_string(crashed) + " crashed").c_str() : "");
  out << row;
  if (!a.Picture.empty()) {
    std::string title = "Won by level";
    if (oneDifficulty) title += ", difficulty " + std::to_string(a.Difficulties.front());
    title += ", " + std::to_string(a.Tries) + " tries";
    const std::string why = WriteCurvePicture(lines, levels.Count, title, a.Data, a.Picture);
    if (!why.empty()) {
      progress << "tarvelle-bot curve: " << why << "\n";
      return 1;
    }
  }
  return crashed > 0 ? 1 : 0;
}
