#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// `tarvelle-bot curve`: how often people of each profile win each level.
struct TCurveArgs {
  std::string Data;     // the game folder; "" the executable's
  std::string Levels;   // a level file to measure in place of the game's own ("" none)
  std::string Picture;  // the PNG to draw the curve in ("" none)
  std::vector<std::string> Profiles;  // empty: all of them
  std::vector<int32_t> Difficulties;  // empty: 2
  int32_t Level = 0;                  // 0: every level
  int32_t Tries = 0;                  // per profile, difficulty and level; 0: the default
  int32_t Jobs = 0;                   // child processes; 0: one per processor
  uint32_t Seed = 1;
};

// The tries of a run without --tries: 100 a level per profile. See the usage text for why.
constexpr int32_t DefaultCurveTries = 100;

// Reads curve's options (the words after "curve"); returns "" or what is wrong with them.
std::string ParseCurveArgs(const std::vector<std::string>& words, TCurveArgs& args);
// The options, for the usage text.
extern const char* const CurveUsage;

// Runs the curve: the table on out, the progress line on progress; returns the exit status.
int RunCurve(const TCurveArgs& args, std::ostream& out, std::ostream& progress);
