#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/demo.h"
#include "game/level_record.h"
#include "session/game_session.h"

// What the bot is asked to do.
struct TBotOptions {
  std::string Data;  // the game folder (LevelsFree.dat); "" = the executable's
  // The levels played, held in memory (a pack; a single level stands for a set of 15 copies of
  // it, as the editor plays one); empty: the level file of the game folder.
  std::vector<TLevelRecord> Levels;
  int32_t Level = 1;
  int32_t Difficulty = 1;
  // Play the level as a demo shows it (seed 12345, difficulty 1, the keys applied by the
  // demo's own step) and favour eating, bonuses and close calls with monsters.
  bool DemoStyle = false;
  int32_t FrameMs = 16;
  int32_t Beam = 24;  // states kept after each move
  uint32_t Seed = 1;  // the random generator at the start (not for demos)
  // Moves tried before the others, as a hint of how to start (demos differ by it).
  uint32_t Variant = 0;
  // Demos: until this LevelTicks the Dragon looks for food and bonuses, not for the diamond.
  int32_t LingerMs = 0;
  // Asked after each round of moves with the furthest LevelTicks reached; false stops the
  // search, which then returns with Stopped set (empty: the search runs to its end).
  std::function<bool(int32_t levelTicks)> KeepGoing;
};

// What the search found.
struct TBotResult {
  bool Won = false;
  int32_t TimeLeft = 0;  // seconds left on the level's countdown at the win
  int32_t Energy = 0;
  int32_t LivesLost = 0;  // a found win never loses a life: a lost life starts the level again
  int32_t Score = 0;
  int32_t LevelTicks = 0;
  int32_t Eaten = 0, Bonuses = 0, CloseCalls = 0;
  int64_t Frames = 0;               // frames the search ran
  bool Stopped = false;             // KeepGoing said to stop
  std::vector<TDemoStepRec> Steps;  // the moves, as demo steps
};

// Searches for a win of the level from its start by playing the real game, headless, with the
// player's moves. A beam search over moves: from each kept state every move (and waiting) is
// tried by restoring a saved copy of the whole game; lost lives are dropped, the rest ranked by
// the distance to the diamond, energy and score.
TBotResult SearchWin(const TBotOptions& options);

// The session a player of the bot's plays in: the options' game folder, frame length and seed,
// off-screen; pictures drawn or not (the actors move the same either way).
TSessionOptions BotSessionOptions(const TBotOptions& options, bool pictures = false);
