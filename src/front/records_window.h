#pragma once
#include <cstdint>
#include <memory>

#include "core/game_state.h"
#include "pixels/rect.h"
#include "pixels/surface.h"

// The high-score table over a panel; after a game that earned a place, with name entry on the
// new row.
class TRecordsWindow {
 public:
  TGameState SavedState = gsMenu;  // where leaving the table goes
  bool Entering = false;           // a name is being typed
  int32_t EditRank = 1;            // the row being named
  bool CursorOn = false;           // the blinking "_" is shown
  int32_t BlinkStart = 0;          // LevelTicks at the last blink
  // After the first name entered: "Share my scores in the world table?", Yes or No.
  bool Asking = false;
  bool YesFocused = true;  // the button Enter takes
  // The key that answered: its release stays on the table (the rank is still to come).
  bool AnswerKeyDown = false;

  // The question's buttons on the 640 x 480 screen.
  static constexpr TRect YesButton = Bounds(200, 420, 110, 32);
  static constexpr TRect NoButton = Bounds(330, 420, 110, 32);

  // Opens the table; with enter, puts score in its place and starts name entry there.
  void Show(bool enter, int32_t score);
  void Draw();
  // One typed character (Windows-1252) during name entry.
  void TypeChar(char c);
  // The question's keys (Y, N, the arrows, Enter, Space, Esc) and clicks.
  void AskKey(int32_t key);
  void AskClick(int32_t x, int32_t y);
  void Answer(bool share);

 private:
  void NameEntered();

  // What the question covers, to be put back once it is answered.
  static constexpr TRect QuestionArea = Bounds(0, 380, 640, 76);
  TSurface under_;
  bool covered_ = false;
};

// The records window, made the first time the table is needed (null before).
extern std::unique_ptr<TRecordsWindow> RecordsWindow;

// One frame of the table screen.
void DrawHighScores();
