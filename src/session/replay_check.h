#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "game/replay.h"
#include "session/game_session.h"

// What playing a replay to its end showed.
struct TReplayCheck {
  enum TVerdict {
    Exact,          // the game played as recorded and ended as the recording says
    Differs,        // it went another way: Entry, Frame, TimeMs and What say where and how
    Damaged,        // the file is no replay this game plays (Message says why)
    UnknownLevels,  // recorded on other levels than those given (Message says why)
  };
  TVerdict Verdict = Damaged;
  std::string Message;  // a sentence for Damaged and UnknownLevels, else ""
  // Where the game first went another way: the recording's call (from 0), the frames played
  // before it and its time in ms from the start; -1, -1 and the length when only the end
  // differs.
  int64_t Entry = -1, Frame = -1;
  uint32_t TimeMs = 0;
  std::string What;  // "score 140, recorded 150", "the clock read 3 times, recorded 2" ...
  // The replay: its levels' checksum, difficulty, first level, length and frames.
  uint32_t Levels = 0;
  int32_t Difficulty = 0, StartLevel = 0;
  uint32_t LengthMs = 0;
  int64_t Frames = 0;
  TReplayFinal Final;     // how the game played here ended
  TReplayFinal Recorded;  // how the recording says it ended
};

// Plays a replay to its end on the session's game window, on the levels the session plays now
// (the game's own, or those given with PlayLevelFile / PlayLevels), and compares. The game's
// state is then the replay's end; Reset the session before anything else.
TReplayCheck CheckReplay(TGameSession& session, const TReplay& replay);
// The same from the replay file's bytes (name stands for it in messages).
TReplayCheck CheckReplayBytes(TGameSession& session, std::string_view bytes,
                              const std::string& name = "replay");
// The answer's line as tarvelle-check writes it: one JSON object (see tools/check/main.cpp).
std::string ReplayCheckJson(const TReplayCheck& c);
// "exact", "differs", "damaged", "unknown-levels".
const char* VerdictName(TReplayCheck::TVerdict v);
