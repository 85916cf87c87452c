#include "session/game_session.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/level_set.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/high_scores.h"
#include "game/demo.h"
#include "game/levels_in_memory.h"
#include "game/playfield.h"
#include "game/rules.h"
#include "launcher/start_game.h"
#include "platform/null_video.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "session/json_string.h"

namespace {

constexpr int32_t GameLevels = LevelSetSize;

// Everything of the game that outlives a game window: cleared before a session starts and by
// its Reset.
void ForgetGameWideState() {
  ResetDemos();
  ForgetHighScores();
  ForgetLevelRecords();
}

}  // namespace

TGameSession::TGameSession(const TSessionOptions& options) : options_(options), clock_(1000) {
  if (!options_.Video && !options_.Offscreen) {
    process::SetEnvironment("SDL_VIDEODRIVER", "dummy");
    process::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  }
  if (options_.Home.empty()) {
    tempHome_ = process::MakeTemporaryFolder("tarvelle-session-");
    if (tempHome_.empty()) throw std::runtime_error("cannot make a temporary folder");
    options_.Home = tempHome_;
  }
  started_ = clock_.Now();
  SetClock(&clock_);
  ResetGlobals();  // the effects too
  ForgetGameWideState();
  paths::OverrideHome(options_.Home);
  G.ProgramFolder = options_.Data.empty() ? paths::ExecutableFolder() : options_.Data;
  if (G.ProgramFolder.empty() || G.ProgramFolder.back() != '/') G.ProgramFolder += '/';
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  Randomize();
  RandomState = options_.Seed;
  if (options_.Video) {
    video_ = options_.Video;
  } else if (options_.Offscreen) {
    ownVideo_ = std::make_unique<TNullVideo>();
    video_ = ownVideo_.get();
  } else {
    ownVideo_ = CreateSdlVideo();
    video_ = ownVideo_.get();
  }
  video_->SetPacing(false);
  form_ = std::make_unique<TMainForm>(video_);
  form_->DXDraw.Display.BitCount = options_.Depth;
  form_->FormCreate();
  StartGame(*form_, options_.Pictures);
  SetPlayfieldPictures(options_.Pictures);
  app_ = std::make_unique<TApplication>(*form_, *video_);
  startGlobals_ = G;
}

TGameSession::~TGameSession() {
  // Nothing of the game is left for what runs the game next in this process: no sprite that
  // draws with this window's pictures, no variable of this game.
  ClearAllSprites();
  ResetGlobals();
  ForgetGameWideState();
  SetPlayfieldPictures(true);
  app_.reset();
  form_.reset();
  ownVideo_.reset();
  SetClock(nullptr);
  paths::OverrideHome("");
  if (!tempHome_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(tempHome_, ec);
  }
}

void TGameSession::Reset() {
  // What ran the game in between may have put the system's clock or home back.
  SetClock(&clock_);
  paths::OverrideHome(options_.Home);
  ClearAllSprites();
  G = startGlobals_;
  ResetEffects();
  ForgetGameWideState();
  RandomState = options_.Seed;
}

void TGameSession::PlayLevels(const std::vector<TLevelRecord>& levels) {
  PlayLevelRecords(levels);
}

std::string TGameSession::PlayLevelFile(std::string_view bytes, const std::string& name) {
  return PlayLevelFileBytes(bytes, name);
}

void TGameSession::PlayFileLevels() {
  ForgetLevelRecords();
}

void TGameSession::StartLevel(const TLevelRecord& level, int32_t difficulty, uint32_t seed) {
  PlayLevelRecords(std::vector<TLevelRecord>(GameLevels, level));
  StartLevel(1, difficulty, seed);
}

void TGameSession::StartLevel(int32_t levelNo, int32_t difficulty, uint32_t seed) {
  G.Difficulty = difficulty;
  G.MaxLevel = GameLevels;  // every level open (and no keys hint over the pond)
  G.SleepMs = 0;
  RandomState = seed;
  NewGame(std::clamp(levelNo, 1, GameLevels));
}

void TGameSession::Frame(int32_t ms) {
  const int32_t sleep = std::clamp(G.SleepMs, 0, ms);
  clock_.Advance(static_cast<uint32_t>(ms - sleep));
  form_->DXTimer1Timer(ms);
}

void TGameSession::Step() {
  const uint32_t start = clock_.Now();
  const auto frame = static_cast<uint32_t>(options_.FrameMs);
  // A running frame sleeps the "Sleep" setting itself; that is part of its time.
  clock_.Advance(frame - std::min(frame, static_cast<uint32_t>(std::max(0, G.SleepMs))));
  app_->Step();
  // With the timer stopped nothing slept: the frame still takes its time.
  const uint32_t spent = clock_.Now() - start;
  if (spent < frame) clock_.Advance(frame - spent);
}

void TGameSession::KeyDown(int32_t key, uint32_t shift) {
  TInputEvent e;
  e.Kind = TInputEvent::KeyDown;
  e.Key = key;
  e.Shift = shift;
  app_->Dispatch(e);
}

void TGameSession::KeyUp(int32_t key, uint32_t shift) {
  TInputEvent e;
  e.Kind = TInputEvent::KeyUp;
  e.Key = key;
  e.Shift = shift;
  app_->Dispatch(e);
}

void TGameSession::Tap(int32_t key, uint32_t shift) {
  KeyDown(key, shift);
  if (!Closed()) KeyUp(key, shift);
}

void TGameSession::Type(const std::string& utf8) {
  TInputEvent e;
  e.Kind = TInputEvent::TextInput;
  e.Text = utf8;
  app_->Dispatch(e);
}

void TGameSession::MovePointer(int32_t x, int32_t y) {
  video_->WarpPointer({x, y});
}

void TGameSession::Click(int32_t x, int32_t y, int32_t button) {
  video_->WarpPointer({x, y});
  TInputEvent e;
  e.Kind = TInputEvent::MouseUp;
  e.Button = button;
  e.X = x;
  e.Y = y;
  app_->Dispatch(e);
}

void TGameSession::Jump(int32_t dx, int32_t dy) {
  RequestJump(dx, dy);
}

TSessionState TGameSession::State() const {
  TSessionState s;
  s.Time = clock_.Now() - started_;
  s.State = GameStateName(G.GameState);
  s.Level = G.LevelNo;
  s.Score = G.Score;
  s.Lives = G.Lives;
  s.TimeLeft = G.TimeLeft;
  s.Difficulty = G.Difficulty;
  s.LevelTicks = G.LevelTicks;
  s.Actors = DescribeActors();
  s.FrameRate = form_->DXTimer1.FrameRate();
  return s;
}

std::string TGameSession::StateJson() const {
  const TSessionState s = State();
  const TActorReport& a = s.Actors;
  std::ostringstream j;
  j << "{\"t\":" << s.Time << ",\"state\":" << JsonString(s.State) << ",\"level\":" << s.Level
    << ",\"score\":" << s.Score << ",\"lives\":" << s.Lives << ",\"time_left\":" << s.TimeLeft
    << ",\"energy\":" << a.Energy << ",\"dragon\":";
  if (a.HasDragon)
    j << "[" << a.DragonColumn << "," << a.DragonRow << "]";
  else
    j << "null";
  j << ",\"jumping\":" << (a.Jumping ? "true" : "false") << ",\"sprites\":" << a.Sprites
    << ",\"difficulty\":" << s.Difficulty << ",\"monsters\":[";
  for (size_t i = 0; i < a.Monsters.size(); ++i)
    j << (i ? "," : "") << "[" << a.Monsters[i][0] << "," << a.Monsters[i][1] << ","
      << a.Monsters[i][2] << "]";
  j << "],\"items\":[";
  for (size_t i = 0; i < a.Items.size(); ++i)
    j << (i ? "," : "") << "{\"kind\":" << JsonString(a.Items[i].Kind)
      << ",\"column\":" << a.Items[i].Column << ",\"row\":" << a.Items[i].Row << "}";
  j << "],\"fps\":" << s.FrameRate << "}";
  return j.str();
}

const TSurface& TGameSession::Picture() const {
  return form_->DXDraw.Surface();
}
