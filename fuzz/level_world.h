#pragma once
// The game window without a screen, for the level targets: made once per program, since making
// it decodes every picture of the game.
#include "actors/effects.h"
#include "core/globals.h"
#include "front/input.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "tests/fake_video.h"

namespace fuzz {

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
