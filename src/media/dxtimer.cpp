#include "media/dxtimer.h"

#include <algorithm>

#include "platform/clock.h"

void TDXTimer::ResetTimes() {
  oldTime_ = Clock().Now();
  fpsOldTime_ = oldTime_;
  fpsCount_ = 0;
}

void TDXTimer::SetEnabled(bool on) {
  if (on && !enabled_) ResetTimes();
  enabled_ = on;
}

void TDXTimer::Idle() {
  if (!enabled_ || (ActiveOnly && !appActive_)) return;
  const uint32_t now = Clock().Now();
  const uint32_t elapsed = now - oldTime_;
  if (elapsed < static_cast<uint32_t>(std::max(Interval, 0))) return;
  const int32_t lagCount =
      static_cast<int32_t>(elapsed / static_cast<uint32_t>(std::max(Interval, 1)));
  oldTime_ = now;
  ++fpsCount_;
  if (now - fpsOldTime_ >= 1000) {
    frameRate_ = static_cast<int32_t>(uint64_t(fpsCount_) * 1000 / (now - fpsOldTime_));
    fpsCount_ = 0;
    fpsOldTime_ = now;
  }
  if (OnTimer) OnTimer(std::max(lagCount, 1));
}

void TDXTimer::AppActivate() {
  if (appActive_) return;
  appActive_ = true;
  if (OnActivate) OnActivate();
  if (enabled_) ResetTimes();
}

void TDXTimer::AppDeactivate() {
  if (!appActive_) return;
  appActive_ = false;
  if (OnDeactivate) OnDeactivate();
}
