#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "session/replay_check.h"

// A replay checked by tarvelle-check (tools/check/main.cpp), a program of its own run with
// limits: a replay from a stranger can then cost no more than the limits, whatever it holds.
struct TCheckLimits {
  int32_t CpuSeconds = 20;   // processor time
  int32_t MemoryMb = 256;    // address space (a check takes about 40 MB)
  int32_t WallMs = 60000;    // time on the clock
};

struct TChildCheck {
  // The program answered: Check holds its answer. Otherwise Failure says why not.
  bool Answered = false;
  TReplayCheck Check;
  enum TFailure { None, CannotStart, OverCpu, OverMemory, OverWall, Crashed, NoAnswer };
  TFailure Failure = None;
  std::string Message;  // the failure in a sentence ("took more than 20 s of processor time")
  double CpuSeconds = 0, WallSeconds = 0;
  int64_t MaxResidentKb = 0;
};

// Runs program (tarvelle-check's path) on a replay file's bytes, on the level file's bytes
// given (a pack; empty: the game's own levels, from data or the program's folder), within the
// limits, and reads its answer.
TChildCheck CheckReplayInChild(const std::string& program, std::string_view replay,
                               std::string_view levelFile, const TCheckLimits& limits = {},
                               const std::string& data = "");

// Reads tarvelle-check's answer line back; false when it is no answer of its.
bool ParseReplayCheckJson(const std::string& line, TReplayCheck& out);
