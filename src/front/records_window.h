#pragma once
#include <cstdint>
#include <memory>

#include "core/game_state.h"

// The high-score table over a panel; after a game that earned a place, with name entry on the
// new row.
class TRecordsWindow {
 public:
  TGameState SavedState = gsMenu;  // where leaving the table goes
  bool Entering = false;           // a name is being typed
  int32_t EditRank = 1;            // the row being named
  bool CursorOn = false;           // the blinking "_" is shown
  int32_t BlinkStart = 0;          // LevelTicks at the last blink

  // Opens the table; with enter, puts score in its place and starts name entry there.
  void Show(bool enter, int32_t score);
  void Draw();
  // One typed character (Windows-1252) during name entry.
  void TypeChar(char c);
};

// The records window, made the first time the table is needed (null before).
extern std::unique_ptr<TRecordsWindow> RecordsWindow;

// One frame of the table screen.
void DrawHighScores();
