#pragma once
#include <cstdint>

// What the game asks of the screens above it: the frame of the screen that the game state
// shows, and the high-score table at the end of a game. The screens fill it in
// (front/front_screens.cpp); the game never includes them.
class IScreens {
 public:
  virtual ~IScreens() = default;

  // Title menu: made on the first frame (gsStartup), drawn on every other.
  virtual void BuildMenu() = 0;
  virtual void DrawTitle() = 0;
  virtual void ResetMenu() = 0;  // zooms stopped, pointer above the menu; the selection stays

  // The options, high-score and help screens' frames.
  virtual void OptionsFrame() = 0;
  virtual void ClearOptionsPending() = 0;
  virtual void RecordsFrame() = 0;
  virtual void HelpFrame() = 0;

  // High-score table.
  virtual bool RecordsEntering() = 0;            // a name is being typed
  virtual void LoadHighScoresOnce() = 0;         // reads the table the first time it is needed
  virtual int32_t ScoreRank(int32_t score) = 0;  // 1..10, or 0 for no place
  // Opens the table screen; with enter, inserts score at its rank and starts name entry.
  virtual void ShowHighScores(bool enter, int32_t score) = 0;
  // Some entry of the table holds exactly these points.
  virtual bool InHighScores(int64_t points) = 0;
};

// The game's one set of screens, defined by the screens above.
extern IScreens& Screens;
