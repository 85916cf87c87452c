#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "actors/effects.h"
#include "actors/sprite.h"
#include "core/globals.h"
#include "platform/clock.h"

// The whole state of a game in play: the game-wide variables, the random generator, the clock,
// the effects and a copy of every sprite. Restoring it puts the game back exactly where it was,
// so a search can try a move, look at the outcome and try another from the same point.
class TGameSnapshot {
 public:
  // Saves the running game; clock is the virtual clock the game reads.
  TGameSnapshot(TVirtualClock& clock);
  TGameSnapshot(const TGameSnapshot&) = delete;
  TGameSnapshot& operator=(const TGameSnapshot&) = delete;
  // Puts the game back as it was saved (the snapshot stays usable).
  void Restore() const;

 private:
  TVirtualClock& clock_;
  TGameGlobals globals_;
  uint32_t randomState_ = 0;
  uint32_t now_ = 0;
  TFallingImage falling_;
  std::array<TScoreUp, 20> popups_;
  std::vector<std::unique_ptr<TSprite>> sprites_;  // copies in no tree, in creation order
};
