#include "core/random.h"

#include "platform/clock.h"

uint32_t RandomState = 0;

uint32_t Random(uint32_t n) {
  RandomState = RandomState * 134775813u + 1u;
  return static_cast<uint32_t>((static_cast<uint64_t>(RandomState) * n) >> 32);
}

void RandomizeFrom(int hour, int minute, int second, int millisecond) {
  RandomState = static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

void Randomize() {
  const TTimeOfDay t = Clock().TimeOfDay();
  RandomizeFrom(t.Hour, t.Minute, t.Second, t.Millisecond);
}
