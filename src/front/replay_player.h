#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "game/replay.h"
#include "platform/clock.h"

class TMainForm;

// Plays a recorded game on a game window: the same calls with the same clock readings, so the
// same frames, the same random draws and the same score. Nothing is recorded meanwhile.
class TReplayPlayer {
 public:
  TReplayPlayer(const TReplay& replay, TMainForm& form);
  ~TReplayPlayer();
  TReplayPlayer(const TReplayPlayer&) = delete;
  TReplayPlayer& operator=(const TReplayPlayer&) = delete;

  // Starts the game as it was started.
  void Start();
  // Plays the next call; false when there is none left.
  bool Step();
  bool Done() const { return next_ >= replay_.Entries.size(); }
  // Milliseconds of the recording from the start to the next call (for pacing on screen).
  uint32_t NextAt() const;
  // How the game stands now, to hold against the recording's end.
  static TReplayFinal Now();
  // The clock reading that the call being played had when it was recorded; a call that reads
  // the clock more often than it did then gets the last reading again.
  uint32_t NextReading();
  // The first call played that read the clock another number of times than it did when it was
  // recorded: the game went another way there. Entries counts from 0; -1 while none has.
  struct TDrift {
    int64_t Entry = -1;
    size_t Recorded = 0, Read = 0;  // clock readings
  };
  const TDrift& FirstDrift() const { return drift_; }

 private:
  void Feed(const std::vector<uint32_t>* reads);

  const TReplay& replay_;
  TMainForm& form_;
  size_t next_ = 0;
  const std::vector<uint32_t>* reads_ = nullptr;
  size_t read_ = 0;
  size_t overrun_ = 0;  // readings asked beyond the recorded ones
  TDrift drift_;
  uint32_t last_ = 0;
  std::unique_ptr<IClockTap> tap_;  // hands the game clock NextReading()
  IClockTap* previousTap_ = nullptr;
  bool wasRecording_ = false;
};
