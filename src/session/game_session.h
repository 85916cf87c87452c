#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/globals.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "game/actor_report.h"
#include "game/level_record.h"
#include "platform/clock.h"
#include "platform/video.h"

// How a session runs the game.
struct TSessionOptions {
  std::string Data;  // the game folder (LevelsFree.dat, DemoFree.dat); "" = the executable's
  std::string Home;  // per-user root; "" = a new empty temporary folder, removed afterwards
  int32_t FrameMs = 16;  // the length of a Step
  uint32_t Seed = 1;     // the random generator at the start and after Reset
  int32_t Depth = 32;    // the display's bits per pixel (16 or 32)
  // The game window's output: a window of the caller's (not owned); without one, SDL's dummy
  // driver, or with Offscreen a window that is never shown and needs no SDL at all.
  IVideoOutput* Video = nullptr;
  bool Offscreen = false;
  // Whether the pond is drawn. Without pictures the actors move, collide and appear exactly as
  // when drawn (the player bot and the replay check play so): only the playfield and the water
  // are not drawn, and the water's pictures are not even loaded.
  bool Pictures = true;
};

// How the game stands, as tarvelle-drive's `state` prints it.
struct TSessionState {
  uint32_t Time = 0;  // ms of the session's clock since it started
  std::string State;  // the game state's name ("playing", "menu", ...)
  int32_t Level = 0, Score = 0, Lives = 0, TimeLeft = 0, Difficulty = 0;
  int32_t LevelTicks = 0;
  TActorReport Actors;
  double FrameRate = 0;
};

// The game run beside a program of its own: the tools, the tests and the replay check run the
// game through one of these, so they run it the same way. It owns the virtual clock, the
// per-user home, the video output, the game window and the message loop, from the game window
// on exactly as the launcher's Start makes them. The game's state is the process's own: one
// session at a time.
class TGameSession {
 public:
  explicit TGameSession(const TSessionOptions& options = {});
  ~TGameSession();
  TGameSession(const TGameSession&) = delete;
  TGameSession& operator=(const TGameSession&) = delete;

  // Puts the game back as the session started it (the title menu about to be built): the
  // game's variables, the sprites, the effects, the demos, the high-score cache, the levels in
  // memory and the random generator (the options' seed). The only place that knows them all.
  void Reset();

  // The levels played from now on: records held in memory (a level file's worth, no file is
  // written), a level file's bytes (returns why they can't be played, "" when they can), or
  // the game folder's own file (or the pack set with SetLevelPack).
  void PlayLevels(const std::vector<TLevelRecord>& levels);
  std::string PlayLevelFile(std::string_view bytes, const std::string& name);
  void PlayFileLevels();

  // Starts a game at a level as the player bot plays it: difficulty and seed given, every level
  // open, no sleep between frames. The record's form plays that one level (the set in memory
  // holds it 15 times, as a level file the editor writes would); a level the game can't build
  // raises EInOutError.
  void StartLevel(const TLevelRecord& level, int32_t difficulty, uint32_t seed);
  void StartLevel(int32_t levelNo, int32_t difficulty, uint32_t seed);

  // One frame of play, ms long on the virtual clock (less the game's own sleep), as the frame
  // timer fires it.
  void Frame(int32_t ms);
  // One pass of the message loop, the options' FrameMs long: what a frame of the program is.
  void Step();

  // Input, as the window would bring it.
  void KeyDown(int32_t key, uint32_t shift = 0);
  void KeyUp(int32_t key, uint32_t shift = 0);
  void Tap(int32_t key, uint32_t shift = 0);
  void Type(const std::string& utf8);
  void MovePointer(int32_t x, int32_t y);
  void Click(int32_t x, int32_t y, int32_t button = 0);
  // The Dragon asked to hop a cell (dx, dy), as an arrow key in play asks.
  void Jump(int32_t dx, int32_t dy);

  TSessionState State() const;
  std::string StateJson() const;
  // The picture the game drew last.
  const TSurface& Picture() const;

  TMainForm& Form() { return *form_; }
  TApplication& App() { return *app_; }
  TVirtualClock& VirtualClock() { return clock_; }
  IVideoOutput& Video() { return *video_; }
  const TSessionOptions& Options() const { return options_; }
  bool Closed() const { return form_->Closed(); }

 private:
  TSessionOptions options_;
  std::string tempHome_;
  mutable TVirtualClock clock_;
  std::unique_ptr<IVideoOutput> ownVideo_;
  IVideoOutput* video_ = nullptr;
  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<TApplication> app_;
  uint32_t started_ = 0;         // the clock's reading when the session started
  TGameGlobals startGlobals_;  // the game's variables once the game window was up
};
