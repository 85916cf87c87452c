#pragma once
#include <cstdint>

// What the game asks of the screens above it: the frame of the screen that the game state
// shows, and the high-score table at the end of a game. The screens fill it in
// (front/front_screens.cpp); the game never includes them.
class IScreens {
 public:
  virtual ~IScreens() = default;

  // Title menu: made on the first frame (gsStartup), drawn on every other.
  virtual void MakeTitleMenu() = 0;
  virtual void TitleScreenFrame() = 0;
  virtual void ResetTitleMenu() = 0;  // zooms stopped, pointer above the menu; the selection stays

  // The options, high-score and help screens' frames.
  virtual void OptionsScreenFrame() = 0;
  virtual void DropOptionsPending() = 0;
  virtual void RecordsScreenFrame() = 0;
  virtual void HelpScreenFrame() = 0;

  // High-score table.
  virtual bool EnteringName() = 0;                   // a name is being typed
  virtual void NeedHighScores() = 0;                 // reads the table the first time it is needed
  virtual int32_t HighScoreRank(int32_t score) = 0;  // 1..10, or 0 for no place
  // Opens the table screen; with enter, inserts score at its rank and starts name entry.
  virtual void OpenHighScores(bool enter, int32_t score) = 0;
  // Some entry of the table holds exactly these points.
  virtual bool InHighScores(int64_t points) = 0;
};

// The game's one set of screens, defined by the screens above.
extern IScreens& Screens;
