// Entry points of screens and actors that are still being built. Each does nothing yet; it
// leaves this file when its screen or actor arrives.
#include "game/screen_calls.h"

void DemoStep() {}
void StartDemo() {}
void EndDemo() {}

void StartFallingCaption(const std::string&) {}
bool FallingCaptionActive() {
  return false;
}
void DrawFallingCaption() {}
void StartTransition(const std::string&, int32_t, int32_t, int32_t, int32_t) {}
void DrawTransitionStep() {}
bool TransitionFinished() {
  return true;
}
bool TransitionInterrupted(TGameState) {
  return false;
}
void TransitionRestoreState() {}
void FreeTransition() {}
void ShowScorePopup(int32_t) {}
void DrawScorePopups() {}
