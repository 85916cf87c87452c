#pragma once
// The game window without a screen, for the targets that read level and demo files: made once
// per program, since making it decodes every picture of the game.
#include <memory>

#include "actors/effects.h"
#include "core/globals.h"
#include "front/input.h"
#include "fuzz/fuzz_target.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "session/game_session.h"
#include "tests/fake_video.h"

namespace fuzz {

// The game session of the targets that play: made once per program (making it decodes every
// picture), Reset before each run. Its per-user folder is in the scratch (a game lost ends at
// the high-score table, whose file goes there). A window closed by a run is made again.
inline TGameSession& PlaySession() {
  static std::unique_ptr<TGameSession> session;
  if (!session || session->Closed() || G.Quitting) {
    session.reset();
    TSessionOptions o;
    o.Home = ScratchFolder() + "play-home";
    o.Offscreen = true;
    session = std::make_unique<TGameSession>(o);
  }
  session->Reset();
  return *session;
}

struct TLevelWorld {
  TVirtualClock Clock{5000};
  TFakeVideo Video;
  TMainForm Form{&Video};
  TGameGlobals Start;  // the game's variables once the window is made: each run starts from them
  // With a display, building a level draws its first frame and frames can be played.
  explicit TLevelWorld(bool display) {
    ResetGlobals();
    SetClock(&Clock);
    Form.FormCreate();
    if (display) Form.InitVideo();
    SetClock(nullptr);
    Start = G;
    // The game's own files (levels, demos) are those beside the program.
    if (Start.ProgramFolder.empty()) Start.ProgramFolder = paths::ExecutableFolder();
    if (Start.ProgramFolder.back() != '/') Start.ProgramFolder += '/';
  }
};

}  // namespace fuzz
