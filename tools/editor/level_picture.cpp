#include "tools/editor/level_picture.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "actors/dragon.h"
#include "actors/effects.h"
#include "core/globals.h"
#include "core/level_set.h"
#include "core/random.h"
#include "front/high_scores.h"
#include "front/input.h"
#include "game/demo.h"
#include "game/rules.h"
#include "launcher/start_game.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/null_video.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "platform/video.h"

TLevelPicture::TLevelPicture(const std::string& gameFolder)
    : clock_(std::make_unique<TVirtualClock>(1000)) {
  folder_ = process::MakeTemporaryFolder("tarvelle-editor-");
  home_ = process::MakeTemporaryFolder("tarvelle-editor-home-");
  if (folder_.empty() || home_.empty()) throw std::runtime_error("cannot make a temporary folder");
  if (!gameFolder.empty()) {
    std::error_code ec;  // without them the water is a plain fill, as in the game
    std::filesystem::copy_file(paths::PathOf(gameFolder) / "TvFree.dat",
                               paths::PathOf(folder_) / "TvFree.dat", ec);
  }
  SetClock(clock_.get());
  ResetGlobals();
  ResetEffects();
  ResetDemos();
  ForgetHighScores();
  paths::OverrideHome(home_);
  G.ProgramFolder = folder_ + "/";
  video_ = std::make_unique<TNullVideo>();
  form_ = std::make_unique<TMainForm>(video_.get());
  form_->DXDraw.Display.BitCount = 32;
  form_->FormCreate();
  StartGame(*form_);
}

TLevelPicture::~TLevelPicture() {
  form_.reset();
  video_.reset();
  SetClock(nullptr);
  paths::OverrideHome("");
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
  std::filesystem::remove_all(home_, ec);
}

const TSurface& TLevelPicture::Draw(const TLevelRecord& level, int difficulty, int levelNo) {
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  std::string bytes;
  for (int i = 0; i < LevelSetSize; ++i) bytes.append(record.begin(), record.end());
  std::string error;
  if (!files::WriteAtomically(G.ProgramFolder + "LevelsFree.dat", bytes, &error)) {
    throw std::runtime_error(error);
  }
  // As the player bot starts a level (tools/bot): so a route it found plays the same again.
  G.Difficulty = difficulty;
  G.MaxLevel = LevelSetSize;  // no keys hint over the pond
  G.SleepMs = 0;
  RandomState = 1;
  NewGame(std::clamp(levelNo, 1, LevelSetSize));
  return form_->DXDraw.Surface();
}

void TLevelPicture::StartRoute(const TLevelRecord& level, int difficulty,
                               std::vector<TDemoStepRec> steps) {
  Draw(level, difficulty);
  route_ = std::move(steps);
  next_ = 0;
}

bool TLevelPicture::StepRoute() {
  constexpr int32_t FrameMs = 16;
  if (G.GameState != gsPlaying) return false;
  // A move is made in the frame before its time, as the bot made it.
  if (next_ < route_.size() && route_[next_].Time <= G.LevelTicks + FrameMs) {
    static const int32_t moves[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const int32_t k = route_[next_++].KeyCode - 37;
    if (k >= 0 && k < 4) RequestJump(moves[k][0], moves[k][1]);
  }
  clock_->Advance(static_cast<uint32_t>(FrameMs - std::clamp(G.SleepMs, 0, FrameMs)));
  form_->DXTimer1Timer(FrameMs);
  return G.GameState == gsPlaying;
}

const TSurface& TLevelPicture::Frame() const {
  return form_->DXDraw.Surface();
}
