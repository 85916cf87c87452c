#pragma once
#include <cstdint>

struct TTimeOfDay {
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The game's millisecond clock. The real one reads SDL's monotonic clock; the headless driver
// and the tests use a virtual one that only moves when told to (or when slept on).
class IClock {
 public:
  virtual ~IClock() = default;
  virtual uint32_t Now() = 0;           // milliseconds, wraps like a 32-bit counter
  virtual void Sleep(uint32_t ms) = 0;  // waits (or, virtually, advances) ms milliseconds
  virtual TTimeOfDay TimeOfDay() = 0;   // current UTC time of day
  // Sleep really waits (or advances a virtual clock); false where the program must not block
  // (the browser runs it a frame at a time): waits are then counted by the frames.
  virtual bool Waits() const { return true; }
};

// A clock that moves only when told to; it starts at a fixed time of day.
class TVirtualClock : public IClock {
 public:
  explicit TVirtualClock(uint32_t start = 1000) : now_(start) {}
  uint32_t Now() override { return now_; }
  void Sleep(uint32_t ms) override { now_ += ms; }
  TTimeOfDay TimeOfDay() override;
  void Advance(uint32_t ms) { now_ += ms; }
  void Set(uint32_t ms) { now_ = ms; }

 private:
  uint32_t now_;
};

// The clock in use; the real clock unless one was installed.
IClock& Clock();
// Installs a clock (nullptr puts the real one back). The caller keeps ownership.
void SetClock(IClock* clock);

// Sees every reading the game takes of the clock (game_clock::Now) and gives the reading the game
// gets: a recording of a game keeps the readings, its replay hands them back.
class IClockTap {
 public:
  virtual ~IClockTap() = default;
  virtual uint32_t Read(uint32_t now) = 0;
};
IClockTap* ClockTap();
// Installs a tap (nullptr removes it). The caller keeps ownership.
void SetClockTap(IClockTap* tap);

// The game's names for the clock.
namespace game_clock {

// The game's reading of the clock, through the tap.
inline int32_t Now() {
  uint32_t now = Clock().Now();
  if (IClockTap* tap = ClockTap()) now = tap->Read(now);
  return static_cast<int32_t>(now);
}
inline void Sleep(uint32_t ms) {
  Clock().Sleep(ms);
}

}  // namespace game_clock

// The pause a frame takes at its start (the "Sleep" setting). The display's wait for the next
// refresh at the end of a frame may wait the next frame's pause with it, so that the thread wakes
// once a frame instead of twice; the frame then starts when it would have after its own pause.
namespace frame_pause {

// At a frame's start: sleeps ms, unless the wait that ended the last frame took the pause already
// and this frame follows it at once (within kFreshMs on the clock).
void Take(uint32_t ms);
// For the wait that ends a frame: the pause the next frame will take (the last one asked for).
uint32_t Next();
// The wait that ended a frame has also waited the next frame's pause (Next()).
void TakenAhead();
inline constexpr uint32_t kFreshMs = 10;

}  // namespace frame_pause
