// The game's one set of effects, and the entry points the frame driver, the playfield drawing
// and level construction use.
#include "actors/effects.h"

#include "actors/actor_host.h"
#include "core/globals.h"

TEffects& Effects() {
  static TEffects effects;
  return effects;
}

void ResetGlobals() {
  G = TGameGlobals{};
  // The captions and pop-ups are game-wide too.
  ResetEffects();
}

void ResetEffects() {
  TEffects& e = Effects();
  e.Falling = TFallingImage{};
  for (TScoreUp& p : e.ScorePopups) p = TScoreUp{};
  e.Transition.reset();
}

TSurface* EffectsSurface() {
  return ActorHost.DisplaySurface();
}

void StartFallingCaption(const std::string& imageName) {
  Effects().Falling.Start(imageName);
}

bool FallingCaptionActive() {
  return Effects().Falling.Active;
}

void DrawFallingCaption() {
  Effects().Falling.DrawStep();
}

void StopFallingCaption() {
  Effects().Falling.Active = false;
}

// A caption started while another runs takes its place and keeps the state the first one
// interrupted, so that the end of the transition never restores gsTransition itself.
void StartTransition(const std::string& imageName, int32_t duration, int32_t turns,
                     int32_t alphaFrom, int32_t alphaTo) {
  TEffects& e = Effects();
  const bool running = e.Transition != nullptr;
  const TGameState interrupted = running ? e.Transition->SavedState : G.GameState;
  e.Transition = std::make_unique<TRotatedImage>(imageName, duration, turns, alphaFrom, alphaTo);
  e.Transition->SavedState = interrupted;
}

void DrawTransitionStep() {
  if (Effects().Transition) Effects().Transition->DrawStep();
}

bool TransitionFinished() {
  return !Effects().Transition || Effects().Transition->Finished();
}

bool TransitionInterrupted(TGameState state) {
  return Effects().Transition && Effects().Transition->SavedState == state;
}

void TransitionRestoreState() {
  if (Effects().Transition) Effects().Transition->RestoreState();
}

void FreeTransition() {
  Effects().Transition.reset();
}

void ShowScorePopup(int32_t points) {
  for (TScoreUp& p : Effects().ScorePopups) {
    if (!p.Active) {
      p.Start(points);
      return;
    }
  }
}

void DrawScorePopups() {
  for (TScoreUp& p : Effects().ScorePopups) {
    if (p.Active) p.DrawStep();
  }
}

void ResetScorePopups() {
  for (TScoreUp& p : Effects().ScorePopups) p.Active = false;
}
