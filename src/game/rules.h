#pragma once
#include <cstdint>

// The rules of play: the frame driver's steps, and what the playfield and the screens call.

// Why the last life was lost (DeathReason).
enum : uint8_t { drCaught = 0, drDrowned = 1, drTimeUp = 2, drStarved = 3 };

// A life is lost: the Dragon's death animation starts (gsDying) with the reason's sound.
void LoseLife(uint8_t reason);
// Creates the late diamond once it is due and its cell is free; DrawPlayfield calls it.
void PlaceDiamond();
// The end of a game: the high-score table opens for name entry when Score earns a place,
// otherwise "Press any key to continue..." is written. The quiet form never opens the table.
void CheckHighScore();
void CheckHighScoreQuiet();

// The steps of play.
void NewGame(int32_t start);
void ContinueAfterKey();
void AnimatePads();
void SinkAllPads();
void SpawnBonus();
void SpawnFood();
void CheckLevelEnd();
// The congratulation after the last level: six fanfares 300 ms apart, then three seconds more
// before the high-score check; the game takes no input meanwhile. Where the clock can't wait
// (the browser) the waits are counted by the frames: each frame of gsLevelDone takes a step.
void ShowFinalEnding();
void FinalEndingStep();
bool FinalEndingRunning();
