#pragma once
#include <cstdint>
#include <string>

#include "game/level_record.h"
#include "platform/child_process.h"

// How often a casual player wins a level: the human-like player's tries at one difficulty, as
// far as they have come.
struct TRateStatus {
  bool Running = false;
  bool Done = false;       // every try was played
  int32_t Difficulty = 0;  // 1 to 3
  int32_t Total = 0;       // tries to play
  int32_t Played = 0;      // tries played so far (all of them once Done)
  int32_t Won = 0;         // of those played, once Done
  int32_t TimeLeft = 0;    // the median of the seconds left on a win
  int32_t Energy = 0;      // the median of the Dragon's energy on a win
  std::string CommonLoss;  // the commonest way to lose ("drowned", ...); "" without losses
  std::string Error;       // why it did not start or ended badly
};

// The editor draws with the game's state, so the casual player's tries run in a program of
// their own: the editor itself started as `tarvelle-editor --rate D -`, which plays the level
// record it reads on its standard input and reports on its standard output. Stopping it ends
// every process it started for the tries.
class TRateChild {
 public:
  explicit TRateChild(std::string program) : program_(std::move(program)) {}
  ~TRateChild() { Stop(); }

  // Starts the tries at difficulty (1 to 3); false with Status().Error when the level has an
  // error or the program can't start.
  bool Start(const TLevelRecord& level, int32_t difficulty);
  // Stops the tries; the status stays as far as they came, not Done.
  void Stop();
  // Reads what the program reported so far (never waits).
  const TRateStatus& Status();

 private:
  std::string program_;
  TChildProcess child_;
  TRateStatus status_;
};
