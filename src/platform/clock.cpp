#include "platform/clock.h"

#include <SDL.h>

#include <chrono>

namespace {

class TSdlClock : public IClock {
 public:
  uint32_t Now() override { return SDL_GetTicks(); }
#ifdef __EMSCRIPTEN__
  // The browser runs the game one frame at a time and cannot be held up: no waiting.
  void Sleep(uint32_t) override {}
  bool Waits() const override { return false; }
#else
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }
#endif
  TTimeOfDay TimeOfDay() override {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const auto msOfDay = ms % (24ll * 3600 * 1000);
    return {static_cast<int>(msOfDay / 3600000), static_cast<int>(msOfDay / 60000 % 60),
            static_cast<int>(msOfDay / 1000 % 60), static_cast<int>(msOfDay % 1000)};
  }
};

TSdlClock realClock;
IClock* current = &realClock;
IClockTap* currentTap = nullptr;

uint32_t nextPause = 0;  // the last frame pause asked for
uint32_t aheadMs = 0;    // how much of the next pause the last wait took with it
uint32_t aheadAt = 0;    // when that wait ended

}  // namespace

TTimeOfDay TVirtualClock::TimeOfDay() {
  // The virtual day starts at 12:00:00.000 and runs with the virtual milliseconds.
  const uint64_t ms = (12ull * 3600 * 1000 + now_) % (24ull * 3600 * 1000);
  return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
          static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

IClock& Clock() {
  return *current;
}
void SetClock(IClock* clock) {
  current = clock ? clock : &realClock;
}

IClockTap* ClockTap() {
  return currentTap;
}
void SetClockTap(IClockTap* tap) {
  currentTap = tap;
}

namespace frame_pause {

void Take(uint32_t ms) {
  const uint32_t done = Clock().Now() - aheadAt <= kFreshMs ? aheadMs : 0;
  aheadMs = 0;
  nextPause = ms;
  if (ms > done) Clock().Sleep(ms - done);
}

uint32_t Next() {
  return nextPause;
}

void TakenAhead() {
  aheadMs = nextPause;
  aheadAt = Clock().Now();
}

}  // namespace frame_pause
