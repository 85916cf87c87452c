#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/demo.h"
#include "game/level_record.h"

// What the player bot found on one difficulty.
struct TProofResult {
  int32_t Difficulty = 0;
  bool Done = false;  // searched to the end (not stopped)
  bool Won = false;
  int32_t TimeLeft = 0;             // seconds left on the best route found
  int32_t Energy = 0;               // the Dragon's energy at the win
  std::vector<TDemoStepRec> Steps;  // the winning route, as demo steps, to be watched
};

using TProofResults = std::array<TProofResult, 3>;  // difficulties 1, 2, 3

// Plays a level with the player bot at difficulties 1, 2 and 3, each search widened until it
// wins or gives up, on the game's state of this thread's process: nothing else may run the
// game meanwhile. progress gets the fraction done (0 to 1) and says whether to go on; a stop
// leaves the rest of the results not Done.
TProofResults ProveLevel(const TLevelRecord& level, const std::function<bool(double)>& progress);

// Proves a level on a thread of its own, so that a window stays live: start it, look at its
// progress now and then, stop it when asked.
class TProveRunner {
 public:
  struct TStatus {
    bool Running = false;
    bool Stopped = false;  // stopped before the end
    double Progress = 0;   // 0 to 1
    TProofResults Results{};
    std::string Error;  // why it did not start or ended badly
  };

  TProveRunner() = default;
  ~TProveRunner();
  TProveRunner(const TProveRunner&) = delete;
  TProveRunner& operator=(const TProveRunner&) = delete;

  // Starts proving; false (with Status().Error) when a proof runs or the level has an error.
  bool Start(const TLevelRecord& level);
  // Asks the proof to stop; it ends at its next round of moves.
  void Stop();
  // Waits for the proof to end.
  void Wait();
  TStatus Status() const;

 private:
  void Run(TLevelRecord level);

  mutable std::mutex mutex_;
  TStatus status_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
