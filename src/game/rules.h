#pragma once
#include <cstdint>

// The rules of play that the actors and the playfield call; the per-frame steps are declared in
// screen_calls.h.

// Why the last life was lost (DeathReason).
enum : uint8_t { drCaught = 0, drDrowned = 1, drTimeUp = 2, drStarved = 3 };

// A life is lost: the Dragon's death animation starts (gsDying) with the reason's sound.
void LoseLife(uint8_t reason);
// Creates the late diamond once it is due and its cell is free; DrawPlayfield calls it.
void PlaceDiamond();
// The diamond's points for the time, energy, level and difficulty at hand.
int32_t DiamondPoints(int32_t timeLeft, int32_t difficulty, int32_t levelNo, int32_t energy);
// The end of a game: the high-score table opens for name entry when Score earns a place,
// otherwise "Press any key to continue..." is written. The quiet form never opens the table.
void CheckHighScore();
void CheckHighScoreQuiet();
