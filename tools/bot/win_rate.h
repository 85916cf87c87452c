#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/bot/bot_search.h"
#include "tools/bot/human_player.h"

// How often a profile wins a level, out of many tries.
struct TWinRate {
  int32_t Played = 0;  // tries that ended (won or lost); crashed ones are not counted
  int32_t Won = 0;
  int32_t Crashed = 0;     // tries whose child process died before telling how they ended
  bool Cancelled = false;  // progress said to stop: the figures cover the tries done by then
  std::array<int32_t, LossKinds> Losses{};  // by TLoss (Losses[0] is unused)
  // Medians over the won tries (0 when none was won).
  int32_t MedianTimeLeft = 0, MedianEnergy = 0;
  // Every try played, in the order of their seeds (crashed ones absent).
  std::vector<THumanTry> Tries;

  double Rate() const { return Played > 0 ? static_cast<double>(Won) / Played : 0.0; }
  // The commonest way to lose (TLoss::None when nothing was lost).
  TLoss CommonestLoss() const;
};

// The seed of try number i (from 0) of a measurement seeded with seed.
uint32_t TrySeed(uint32_t seed, int32_t i);

// Plays tries tries of options' level with profile, try i seeded with TrySeed(options.Seed, i),
// spread over jobs child processes (one game session each; jobs < 1: one per processor).
// progress (may be empty) is called as tries end with the number done and the total; returning
// false stops the measurement: the children are killed and waited for, and the result says
// Cancelled. A child that dies leaves its remaining tries out as Crashed. The figures do not
// depend on jobs.
TWinRate MeasureWinRate(const TBotOptions& options, const THumanProfile& profile, int32_t tries,
                        int32_t jobs, std::function<bool(int32_t done, int32_t total)> progress);
