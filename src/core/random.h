#pragma once
#include <cstdint>

// The game's single random source.
extern uint32_t RandomState;

// 0 .. n - 1 (Random(0) gives 0 and still advances the state).
uint32_t Random(uint32_t n);

// Seeds from the time of day: ((h * 60 + m) * 60 + s) * 1000 + ms of the given UTC reading.
void RandomizeFrom(int hour, int minute, int second, int millisecond);
// Seeds from the clock of the running program (see platform/clock.h).
void Randomize();
