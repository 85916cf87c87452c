// Tarvelle in the web browser: the page is the launcher. The program loads its files and the
// player's saves, then waits; the page's Start runs the game from the title menu, one frame per
// browser frame, until the title menu's Exit hands the page back its Start.
#include <emscripten.h>

#include <exception>
#include <memory>

#include "core/globals.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "launcher/program_folder.h"
#include "launcher/start_game.h"
#include "media/midi_synth.h"
#include "platform/video.h"
#include "platform/web_page.h"
#include "platform/web_storage.h"

namespace {

// One game from Start to Exit.
struct TWebGame {
  std::unique_ptr<IVideoOutput> Video;
  std::unique_ptr<TMainForm> Form;
  std::unique_ptr<TApplication> App;
  bool FirstFrameShown = false;
};

TWebGame* game = nullptr;

void EndGame() {
  emscripten_cancel_main_loop();
  delete game;  // closes the window and the sound
  game = nullptr;
  web_storage::Flush();
  web_page::GameEnded();
}

void Frame(void*) {
  if (!game) return;
  game->App->Frame();
  if (!game->FirstFrameShown) {
    game->FirstFrameShown = true;
    web_page::FirstFrame();
  }
  if (game->Form->Closed()) EndGame();
}

void Ready() {
  EM_ASM({ if (Module.onReady) Module.onReady(); });
}

}  // namespace

extern "C" {

// The page's Start (a click, so the browser lets the game's sound play).
EMSCRIPTEN_KEEPALIVE int tarvelle_start() {
  if (game) return 1;
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  auto g = std::make_unique<TWebGame>();
  try {
    g->Video = CreateSdlVideo();
    g->Form = std::make_unique<TMainForm>(g->Video.get());
    g->Form->FormCreate();
    StartGame(*g->Form);
    g->App = std::make_unique<TApplication>(*g->Form, *g->Video);
    g->App->Begin();
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    if (g->Form) QuitAfterErrors(*g->Form);  // every way out saves
    return 0;
  }
  game = g.release();
  // The browser paces the frames (0: at its own refresh rate); the call returns at once.
  emscripten_set_main_loop_arg(Frame, nullptr, 0, false);
  return 1;
}

// A recording of the music has been written into the game's files (the page fetches them after
// the first frame).
EMSCRIPTEN_KEEPALIVE void tarvelle_music_arrived() {
  LoadArrivedRecordings();
}

// Where the game is, for the page's own checks: the state (gsMenu, gsPlaying...) and the
// Dragon's cell (column x 100 + row), the lives left and the score.
EMSCRIPTEN_KEEPALIVE int tarvelle_state(int what) {
  switch (what) {
    case 0:
      return game ? static_cast<int>(G.GameState) : -1;
    case 1:
      return G.DragonColumn * 100 + G.DragonRow;
    case 2:
      return G.Lives;
    default:
      return 0;
  }
}

}  // extern "C"

int main() {
  Randomize();
  // The data is packed at the root of the file system.
  G.ProgramFolder = FindProgramFolder({"/"});
  if (G.ProgramFolder.empty()) {
    ShowErrorBox("Tarvelle", MissingDataMessage({"/"}));
    return 1;
  }
  web_storage::Mount(Ready);
  return 0;
}
