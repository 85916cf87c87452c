#pragma once
#include <cstdint>
#include <functional>

// The frame timer. It has no thread of its own: the main loop calls Idle() on every pass, and
// with Interval 0 every pass is a tick whose LagCount is the milliseconds since the previous one.
class TDXTimer {
 public:
  bool ActiveOnly = true;
  int32_t Interval = 0;
  std::function<void(int32_t lagCount)> OnTimer;
  std::function<void()> OnActivate, OnDeactivate;

  bool Enabled() const { return enabled_; }
  // Enabling resets the reference times to now.
  void SetEnabled(bool on);
  // Frames per second, measured over the last second or more.
  int32_t FrameRate() const { return frameRate_; }

  // One pass of the main loop.
  void Idle();
  // The application gained or lost the focus.
  void AppActivate();
  void AppDeactivate();
  bool AppActive() const { return appActive_; }

 private:
  void ResetTimes();

  bool enabled_ = false;
  bool appActive_ = true;
  uint32_t oldTime_ = 0;
  uint32_t fpsOldTime_ = 0;
  int32_t fpsCount_ = 0;
  int32_t frameRate_ = 0;
};
