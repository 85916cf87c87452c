#pragma once
#include <cstdint>

// The desktop's keyboard repeat. On Linux a program has no system-wide repeat delay and speed
// to change for the time of play (the game window repeats held keys itself, fast), so Start
// saves nothing: SavedKeyDelay stays -1 and RestoreKeyboard has nothing to put back.
inline int32_t SavedKeyDelay = -1;
inline int32_t SavedKeySpeed = 0;

// Called when the game window closes; with SavedKeyDelay at -1 there is nothing to restore.
inline void RestoreKeyboard() {}
