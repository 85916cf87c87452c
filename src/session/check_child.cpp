#include "session/check_child.h"

#include <charconv>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/limited_run.h"

namespace {

// The value of "key": in a flat JSON object of our own writing (numbers and plain strings).
bool Field(const std::string& j, const std::string& key, std::string& value) {
  const std::string tag = "\"" + key + "\":";
  const size_t at = j.find(tag);
  if (at == std::string::npos) return false;
  size_t p = at + tag.size();
  if (p < j.size() && j[p] == '"') {
    value.clear();
    for (++p; p < j.size() && j[p] != '"'; ++p) {
      if (j[p] == '\\' && p + 1 < j.size()) ++p;
      value += j[p];
    }
    return p < j.size();
  }
  const size_t end = j.find_first_of(",}", p);
  if (end == std::string::npos) return false;
  value = j.substr(p, end - p);
  return true;
}

template <typename T>
bool Number(const std::string& j, const std::string& key, T& out, int base = 10) {
  std::string v;
  if (!Field(j, key, v)) return false;
  const auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), out, base);
  return ec == std::errc() && p == v.data() + v.size();
}

}  // namespace

bool ParseReplayCheckJson(const std::string& line, TReplayCheck& c) {
  std::string verdict;
  if (!Field(line, "verdict", verdict)) return false;
  c = TReplayCheck{};
  if (verdict == "damaged" || verdict == "unknown-levels") {
    c.Verdict = verdict == "damaged" ? TReplayCheck::Damaged : TReplayCheck::UnknownLevels;
    return Field(line, "message", c.Message);
  }
  if (verdict != "exact" && verdict != "differs") return false;
  c.Verdict = verdict == "exact" ? TReplayCheck::Exact : TReplayCheck::Differs;
  bool ok = Number(line, "levels", c.Levels, 16) && Number(line, "difficulty", c.Difficulty) &&
            Number(line, "start", c.StartLevel) && Number(line, "length_ms", c.LengthMs) &&
            Number(line, "frames", c.Frames) && Number(line, "score", c.Final.Score) &&
            Number(line, "lives", c.Final.Lives) && Number(line, "level", c.Final.LevelNo) &&
            Number(line, "random", c.Final.RandomState) &&
            Number(line, "recorded_score", c.Recorded.Score) &&
            Number(line, "recorded_lives", c.Recorded.Lives) &&
            Number(line, "recorded_level", c.Recorded.LevelNo) &&
            Number(line, "recorded_random", c.Recorded.RandomState);
  if (ok && c.Verdict == TReplayCheck::Differs) {
    ok = Number(line, "entry", c.Entry) && Number(line, "frame", c.Frame) &&
         Number(line, "time_ms", c.TimeMs) && Field(line, "what", c.What);
  }
  return ok;
}

TChildCheck CheckReplayInChild(const std::string& program, std::string_view replay,
                               std::string_view levelFile, const TCheckLimits& limits,
                               const std::string& data) {
  std::vector<std::string> args{program, "--cpu", std::to_string(limits.CpuSeconds)};
  if (!data.empty()) {
    args.push_back("--data");
    args.push_back(data);
  }
  args.push_back("--levels-size");
  args.push_back(std::to_string(levelFile.size()));
  std::string input(levelFile);
  input.append(replay);
  TRunLimits l;
  l.CpuSeconds = limits.CpuSeconds;
  l.MemoryBytes = int64_t{limits.MemoryMb} << 20;
  l.WallMs = limits.WallMs;
  const TRunResult r = RunWithLimits(args, input, l);
  TChildCheck c;
  c.CpuSeconds = r.CpuSeconds;
  c.WallSeconds = r.WallSeconds;
  c.MaxResidentKb = r.MaxResidentKb;
  // A program that is there but whose libraries don't fit in the memory limit can't even load.
  std::error_code ec;
  const bool present = std::filesystem::is_regular_file(program, ec);
  if (r.Started && r.ExitStatus == 127 && r.Output.empty() && limits.MemoryMb > 0 && present) {
    c.Failure = TChildCheck::OverMemory;
    c.Message = "needed more than " + std::to_string(limits.MemoryMb) + " MB of memory to load";
    return c;
  }
  if (!r.Started || !r.Error.empty()) {
    c.Failure = TChildCheck::CannotStart;
    c.Message = "cannot run the check: " + (r.Error.empty() ? program : r.Error);
    return c;
  }
  if (r.OverWall) {
    c.Failure = TChildCheck::OverWall;
    c.Message =
        "took more than " + std::to_string(limits.WallMs / 1000.0).substr(0, 4) + " s on the clock";
    return c;
  }
  if (r.OverCpu) {
    c.Failure = TChildCheck::OverCpu;
    c.Message = "took more than " + std::to_string(limits.CpuSeconds) + " s of processor time";
    return c;
  }
  // The first line is the answer; the program exits 3 when the memory ran out.
  const std::string line = r.Output.substr(0, r.Output.find('\n'));
  if (r.Signal == 0 && r.ExitStatus != 3 && ParseReplayCheckJson(line, c.Check)) {
    c.Answered = true;
    return c;
  }
  if (r.ExitStatus == 3) {
    c.Failure = TChildCheck::OverMemory;
    c.Message = "needed more than " + std::to_string(limits.MemoryMb) + " MB of memory";
  } else if (r.Signal != 0) {
    c.Failure = TChildCheck::Crashed;
    c.Message = "the check ended by signal " + std::to_string(r.Signal);
  } else {
    c.Failure = TChildCheck::NoAnswer;
    c.Message = "the check gave no answer (exit status " + std::to_string(r.ExitStatus) + ")" +
                (r.ErrorOutput.empty() ? "" : ": " + r.ErrorOutput.substr(0, 200));
  }
  return c;
}
