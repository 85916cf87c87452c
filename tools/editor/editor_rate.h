#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/level_record.h"
#include "tools/editor/rate_child.h"

// The casual player's win rate for the level being edited, kept up to date in the background:
// once the level (or the difficulty chosen) has stayed the same for a moment, the human-like
// player's tries start in a program beside the editor; any change stops them and, once it
// settles, starts them again. Rates already measured are kept by the level's contents, so an
// undo back to a measured level shows its rate at once.
class TEditorRate {
 public:
  // program: the editor itself, started again for the tries; settleMs: how long the level
  // stays unchanged before its tries start.
  explicit TEditorRate(std::string program, int64_t settleMs = 600)
      : child_(std::move(program)), settleMs_(settleMs) {}

  // Looks at the level shown (whole: without errors) and the difficulty chosen at nowMs (any
  // steady clock): stops tries of another level, starts them once it has settled, reads their
  // progress. held keeps them from running (the level tried in the game window takes the
  // machine); levelNo (from 1) names the level in the report on the standard output.
  void Update(const TLevelRecord& level, bool whole, int32_t difficulty, bool held, int64_t nowMs,
              int32_t levelNo);
  // Ends the tries that run (the editor closes).
  void Stop() { child_.Stop(); }

  // The tries run, or wait for the level to settle: the editor looks again soon.
  bool Busy() const { return waiting_ || status_.Running; }
  const TRateStatus& Status() const { return status_; }
  // The panel's line for the rate now ("" when there is nothing to say).
  std::string Text() const;

 private:
  struct TMeasured {
    TLevelRecord Level;
    int32_t Difficulty;
    TRateStatus Rate;
  };
  void Report(int32_t levelNo) const;

  TRateChild child_;
  int64_t settleMs_;
  TLevelRecord level_{};
  int32_t difficulty_ = 0;
  bool whole_ = false, waiting_ = false, held_ = false;
  int64_t changedAt_ = 0;
  TRateStatus status_;
  std::vector<TMeasured> measured_;  // the latest last
};

// The panel's line for a rate: "Casual player at D2: 3 wins in 10 (40 tries)", its progress
// while the tries run ("" for a level not measured).
std::string RateText(const TRateStatus& rate, bool waiting);
