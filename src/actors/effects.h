#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/game_state.h"

class TPictureCollectionItem;
class TSurface;

// The short-lived pictures drawn straight onto the display, outside the sprite tree: the
// zooming caption, the falling caption and the rising score numbers. All are timed on
// LevelTicks.

// One frame of a rotated, translucent caption: size, angle in 1/256 turns, opacity.
struct TRotateFrame {
  int32_t Width = 0, Height = 0, Angle = 0, Alpha = 0;
};

// A caption that grows from nothing about the middle of the playfield while turning; it stands
// for a game state of its own (gsTransition) and remembers the state it interrupted.
class TRotatedImage {
 public:
  TRotatedImage(const std::string& imageName, int32_t duration, int32_t turns, int32_t alphaFrom,
                int32_t alphaTo);

  // Works out this frame; the frame at or after Duration is the full-size last one.
  TRotateFrame Step();
  // Works out and draws this frame.
  void DrawStep();
  bool Finished() const { return finished_; }
  void RestoreState();

  std::string ImageName;
  int32_t FullWidth = 0, FullHeight = 0;
  int32_t TotalAngle = 0;
  int32_t AlphaFrom = 0, AlphaTo = 0;
  TGameState SavedState = gsStartup;
  int32_t StartTime = 0;  // 0 once finished
  int32_t Duration = 0;

 private:
  bool finished_ = false;
};

// Where the falling caption is drawn in a frame, and how strongly.
struct TFallFrame {
  int32_t X = 0, Y = 0, Level = 0;
};

// The warning caption that slides down the screen and fades in 2.5 s.
class TFallingImage {
 public:
  // Shows the named caption from the top, restarting if one is showing.
  void Start(const std::string& imageName);
  // Works out this frame; false when nothing is to be drawn (inactive, or play was left).
  bool Step(TFallFrame& frame);
  void DrawStep();

  std::string ImageName;  // looked up in the catalogue when drawn
  int32_t StartTime = 0;
  bool Active = false;
};

// A running time span of Duration ms with linear interpolation over it.
class TTimeProcess {
 public:
  void Start(int32_t duration);
  void Update();
  int32_t Lerp(int32_t a, int32_t b) const;

  int32_t StartTime = 0;
  int32_t Duration = 0;
  int32_t Elapsed = 0;
  bool Done = false;
};

// Points just scored, rising over the Dragon for one second.
class TScoreUp {
 public:
  static constexpr int32_t MaxDigits = 5;

  void Start(int32_t points);
  // Works out this frame's place and level; the last frame clears Active.
  TFallFrame Step();
  void DrawStep();

  int32_t DigitCount = 0;
  int32_t FromX = 0, FromY = 0;
  int32_t ToX = 0, ToY = 0;
  std::array<int32_t, MaxDigits + 1> Digits{};  // [1 .. DigitCount], [1] the units
  TTimeProcess Process;
  bool Active = false;
};

// The effects of the game, one set for the whole run.
struct TEffects {
  TFallingImage Falling;
  std::array<TScoreUp, 20> ScorePopups;
  std::unique_ptr<TRotatedImage> Transition;  // the zooming caption running, if any
};
TEffects& Effects();
// Back to nothing showing and no caption running.
void ResetEffects();
// Puts every game-wide variable (G) back to its start value, the effects' state included.
void ResetGlobals();
// The display's drawing surface the effects draw on; null without a game window.
TSurface* EffectsSurface();

// The entry points of the frame driver, the playfield drawing and the Dragon.
// The falling caption, the zooming transition caption and the score pop-ups.
void StartFallingCaption(const std::string& imageName);
bool FallingCaptionActive();
void DrawFallingCaption();
// Starts a zooming caption: remembers GameState and switches to gsTransition.
void StartTransition(const std::string& imageName, int32_t duration, int32_t turns,
                     int32_t alphaFrom, int32_t alphaTo);
void DrawTransitionStep();
bool TransitionFinished();
bool TransitionInterrupted(TGameState state);  // the running caption interrupted that state
void TransitionRestoreState();                 // puts back the state the transition interrupted
void FreeTransition();
void ShowScorePopup(int32_t points);
void DrawScorePopups();

// What level construction asks: stops the falling caption ("Hungry"), and makes all twenty
// score pop-ups inactive.
void StopFallingCaption();
void ResetScorePopups();
