#pragma once

// Vector extensions the drawing routines use. The best one the processor offers is chosen once
// at start; with one, the blends use the vector formulas on 5-6-5 and 32-bit surfaces, without,
// the plain pair and pixel routines.
enum class TSimdLevel { None, SSE2, AVX2 };
TSimdLevel SupportedSimdLevel();
TSimdLevel ActiveSimdLevel();
// Uses the given level from now on, limited to what the processor supports; returns the level
// in effect. Meant for tests and benchmarks.
TSimdLevel SetSimdLevel(TSimdLevel level);
