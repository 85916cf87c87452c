#include "tools/drive/driver.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/high_scores.h"
#include "game/actor_report.h"
#include "game/demo.h"
#include "game/rules.h"
#include "game/world_scores.h"
#include "launcher/start_game.h"
#include "media/png_writer.h"
#include "platform/paths.h"
#include "platform/process_env.h"

namespace {

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) continue;
    out += c;
  }
  return out + "\"";
}

}  // namespace

THeadlessDriver::THeadlessDriver(const TDriverOptions& options) : options_(options), clock_(1000) {
  process::SetEnvironment("SDL_VIDEODRIVER", "dummy");
  process::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  if (options_.Home.empty()) {
    tempHome_ = process::MakeTemporaryFolder("tarvelle-drive-");
    if (tempHome_.empty()) throw std::runtime_error("cannot make a temporary folder");
    options_.Home = tempHome_;
  }
  SetClock(&clock_);
  ResetGlobals();
  // A driver made after another in one process starts from nothing showing, no demo and no
  // high-score table read (its folder is the new home's).
  ResetEffects();
  ResetDemos();
  ForgetHighScores();
  paths::OverrideHome(options_.Home);
  G.ProgramFolder = options_.Data.empty() ? paths::ExecutableFolder() : options_.Data;
  if (G.ProgramFolder.back() != '/') G.ProgramFolder += '/';
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  Randomize();
  RandomState = options_.Seed;
  if (options_.Video) {
    video_ = options_.Video;
  } else {
    ownVideo_ = CreateSdlVideo();
    video_ = ownVideo_.get();
  }
  video_->SetPacing(false);
  form_ = std::make_unique<TMainForm>(video_);
  form_->DXDraw.Display.BitCount = options_.Depth;
  form_->FormCreate();
  StartGame(*form_);
  app_ = std::make_unique<TApplication>(*form_, *video_);
}

THeadlessDriver::~THeadlessDriver() {
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

void THeadlessDriver::RunFrame() {
  const uint32_t start = clock_.Now();
  const auto frame = static_cast<uint32_t>(options_.FrameMs);
  // A running frame sleeps the "Sleep" setting itself; that is part of its time.
  clock_.Advance(frame - std::min(frame, static_cast<uint32_t>(std::max(0, G.SleepMs))));
  app_->Step();
  // With the timer stopped nothing slept: the frame still takes its time.
  const uint32_t spent = clock_.Now() - start;
  if (spent < frame) clock_.Advance(frame - spent);
}

void THeadlessDriver::Run(const std::vector<TScriptCommand>& script, std::ostream& out) {
  for (const TScriptCommand& c : script) {
    if (form_->Closed()) break;
    Execute(c, out);
  }
}

void THeadlessDriver::Execute(const TScriptCommand& c, std::ostream& out) {
  TInputEvent e;
  switch (c.Kind) {
    case TScriptCommand::Frames:
      for (int32_t i = 0; i < c.A && !form_->Closed(); ++i) RunFrame();
      break;
    case TScriptCommand::Wait: {
      const uint32_t start = clock_.Now();
      while (clock_.Now() - start < static_cast<uint32_t>(c.A) && !form_->Closed()) RunFrame();
      break;
    }
    case TScriptCommand::Network: {
      // The answers come on the server's time, not the virtual clock's.
      const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(c.A);
      while (world::WorkLeft() && !form_->Closed() &&
             std::chrono::steady_clock::now() < until) {
        RunFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      break;
    }
    case TScriptCommand::Down:
    case TScriptCommand::Up:
    case TScriptCommand::Tap:
      e.Key = c.A;
      if (c.Kind != TScriptCommand::Up) {
        e.Kind = TInputEvent::KeyDown;
        app_->Dispatch(e);
      }
      if (c.Kind != TScriptCommand::Down && !form_->Closed()) {
        e.Kind = TInputEvent::KeyUp;
        app_->Dispatch(e);
      }
      break;
    case TScriptCommand::Type:
      e.Kind = TInputEvent::TextInput;
      e.Text = c.Text;
      app_->Dispatch(e);
      break;
    case TScriptCommand::Mouse:
      video_->WarpPointer({c.A, c.B});
      break;
    case TScriptCommand::Click:
      video_->WarpPointer({c.A, c.B});
      e.Kind = TInputEvent::MouseUp;
      e.Button = c.C;
      e.X = c.A;
      e.Y = c.B;
      app_->Dispatch(e);
      break;
    case TScriptCommand::Difficulty:
      G.Difficulty = c.A;
      break;
    case TScriptCommand::Start:
      G.MaxLevel = std::max(G.MaxLevel, c.A);
      NewGame(c.A);
      break;
    case TScriptCommand::Shot:
      if (!WritePng(form_->DXDraw.Surface(), c.Text))
        throw std::runtime_error("line " + std::to_string(c.Line) + ": cannot write " + c.Text);
      break;
    case TScriptCommand::State:
      out << StateJson() << "\n";
      out.flush();
      break;
  }
}

std::string THeadlessDriver::StateJson() const {
  const TActorReport a = DescribeActors();
  std::ostringstream j;
  j << "{\"t\":" << clock_.Now() - 1000 << ",\"state\":" << JsonString(GameStateName(G.GameState))
    << ",\"level\":" << G.LevelNo << ",\"score\":" << G.Score << ",\"lives\":" << G.Lives
    << ",\"time_left\":" << G.TimeLeft << ",\"energy\":" << a.Energy << ",\"dragon\":";
  if (a.HasDragon)
    j << "[" << a.DragonColumn << "," << a.DragonRow << "]";
  else
    j << "null";
  j << ",\"jumping\":" << (a.Jumping ? "true" : "false") << ",\"sprites\":" << a.Sprites
    << ",\"difficulty\":" << G.Difficulty << ",\"monsters\":[";
  for (size_t i = 0; i < a.Monsters.size(); ++i)
    j << (i ? "," : "") << "[" << a.Monsters[i][0] << "," << a.Monsters[i][1] << ","
      << a.Monsters[i][2] << "]";
  j << "],\"items\":[";
  for (size_t i = 0; i < a.Items.size(); ++i)
    j << (i ? "," : "") << "{\"kind\":" << JsonString(a.Items[i].Kind)
      << ",\"column\":" << a.Items[i].Column << ",\"row\":" << a.Items[i].Row << "}";
  j << "],\"fps\":" << form_->DXTimer1.FrameRate() << "}";
  return j.str();
}
