// Tarvelle in the web browser: the page is the launcher. The program loads its files and the
// player's saves, then waits; the page's Start runs the game from the title menu, one frame per
// browser frame, until the title menu's Exit hands the page back its Start. A phone may close
// the page at any moment without Exit: the settings are saved as soon as they change and
// whenever the page is hidden, which also pauses a game in play.
#include <emscripten.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "core/sound.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "front/screen_calls.h"
#include "front/title_screen.h"
#include "game/actor_report.h"
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
  TGameState LastState = gsStartup;
  bool LastTyping = false;
};

TWebGame* game = nullptr;
bool settingsRead = false;  // the player's settings are in G: they may be saved
bool played = false;        // a game has run in this page before

// The player's settings and highest level, into the store.
void SaveAll() {
  if (!settingsRead) return;
  for (void (*save)() : {SaveSettings, SaveMaxLevel}) {
    try {
      save();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Tarvelle: %s\n", e.what());
    }
  }
  web_storage::Flush();
}

// Tells the page what the game shows, so that its buttons follow (the exit prompt's answers,
// the name's field, the screen kept awake in play); leaving the options saves them.
void FollowState() {
  const TGameState s = G.GameState;
  const bool typing = s == gsHighScores && RecordsEntering();
  if (s == game->LastState && typing == game->LastTyping) return;
  if (game->LastState == gsOptions && s != gsOptions) SaveAll();
  game->LastState = s;
  game->LastTyping = typing;
  web_page::StateChanged(static_cast<int>(s), typing);
}

void EndGame() {
  emscripten_cancel_main_loop();
  delete game;  // closes the window
  game = nullptr;
  // The sound device closes now, while nothing plays: the next Start opens a new one. (Closed
  // and opened again within one of the browser's frames, an audio callback of the old device
  // could still run against the new one.)
  ShutdownSound();
  web_storage::Flush();
  web_page::GameEnded();
}

void Frame(void*) {
  if (!game) return;
  game->App->Frame();
  if (game && !game->Form->Closed()) FollowState();
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
  if (played) {
    // Start after Exit is a fresh start: the game-wide values as at the page's load (the
    // title menu is built again, with its music).
    const std::string folder = G.ProgramFolder;
    ResetGlobals();
    G.ProgramFolder = folder;
  }
  played = true;
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  settingsRead = true;
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

// The page is hidden (another app, the screen locked, the tab left) or being closed: a game
// in play pauses, and everything is saved.
EMSCRIPTEN_KEEPALIVE void tarvelle_hidden() {
  if (game && !game->Form->Closed() && G.GameState == gsPlaying) {
    try {
      game->Form->PauseGame();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Tarvelle: %s\n", e.what());
    }
  }
  SaveAll();
}

// A key of the page's own buttons (the corner's Esc, the exit prompt's Yes and No, the name
// field's Done and Backspace), pressed and released.
EMSCRIPTEN_KEEPALIVE void tarvelle_key(int sdlKey) {
  web_page::PushKey(sdlKey);
}

// A recording of the music has been written into the game's files (the page fetches them after
// the first frame).
EMSCRIPTEN_KEEPALIVE void tarvelle_music_arrived() {
  LoadArrivedRecordings();
}

// Where the game is, for the page's own checks: the state (gsMenu, gsPlaying...), the Dragon's
// cell (column x 100 + row), the lives left, the menu, the music, the difficulty, the score,
// a food item's cell.
EMSCRIPTEN_KEEPALIVE int tarvelle_state(int what) {
  switch (what) {
    case 0:
      return game ? static_cast<int>(G.GameState) : -1;
    case 1:
      return G.DragonColumn * 100 + G.DragonRow;
    case 2:
      return G.Lives;
    case 3:  // the title menu's selected item
      return game ? MenuSelected() : 0;
    case 4:  // a piece of music is loaded
      return MusicPlayer.Loaded() ? 1 : 0;
    case 5:
      return G.Difficulty;
    case 6:
      return G.Score;
    case 7: {  // the cell of a food item on the pond (column x 100 + row), or 0
      for (const TItemReport& item : DescribeActors().Items)
        if (item.Kind == "food") return item.Column * 100 + item.Row;
      return 0;
    }
    default:
      break;
  }
  // 101 .. 108: the centre of the title menu's item 1 .. 8 as last drawn, x * 1000 + y.
  if (what > 100 && Menu && what - 100 <= Menu->ItemCount) {
    const TMenuItem& it = Menu->Item(what - 100);
    return (it.X + it.Width / 2) * 1000 + it.Y + it.Height / 2;
  }
  return 0;
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
