#include "tools/editor/level_picture.h"

#include <filesystem>
#include <stdexcept>

#include "actors/effects.h"
#include "front/high_scores.h"
#include "game/demo.h"
#include "game/globals.h"
#include "game/main_form.h"
#include "game/random.h"
#include "game/screen_calls.h"
#include "launcher/start_game.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "platform/video.h"

namespace {

// The game's window, never shown: the form draws into its own surface, which is all we take.
class TNoWindow final : public IVideoOutput {
 public:
  void Open(int, int, int) override { open_ = true; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  void Present(const TSurface&) override {}
  bool PollEvent(TInputEvent&) override { return false; }
  bool WaitEvent(TInputEvent&, int) override { return false; }
  void SetCursorVisible(bool) override {}
  void SetTextInput(bool) override {}
  void ToggleFullScreen() override {}
  bool IsMinimized() const override { return false; }
  TPoint PointerPosition() const override { return {}; }
  void WarpPointer(TPoint) override {}
  void SetPacing(bool) override {}

 private:
  bool open_ = false;
};

}  // namespace

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
  video_ = std::make_unique<TNoWindow>();
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

const TSurface& TLevelPicture::Draw(const TLevelRecord& level, int difficulty) {
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  const std::string bytes(record.begin(), record.end());
  std::string error;
  if (!files::WriteAtomically(G.ProgramFolder + "LevelsFree.dat", bytes, &error)) {
    throw std::runtime_error(error);
  }
  G.Difficulty = difficulty;
  G.MaxLevel = 15;  // no keys hint over the pond
  RandomState = 1;
  NewGame(1);
  return form_->DXDraw.Surface();
}
