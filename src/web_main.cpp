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
#include "front/high_scores.h"
#include "front/input.h"
#include "platform/keys.h"
#include "front/replay_player.h"
#include "front/screen_calls.h"
#include "front/title_screen.h"
#include "game/actor_report.h"
#include "game/level_pack.h"
#include "game/world_scores.h"
#include "launcher/program_folder.h"
#include "launcher/start_game.h"
#include "media/midi_synth.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "platform/web_page.h"
#include "platform/web_storage.h"

extern "C" int tarvelle_start();

namespace {

// One game from Start to Exit.
struct TWebGame {
  std::unique_ptr<IVideoOutput> Video;
  std::unique_ptr<TMainForm> Form;
  std::unique_ptr<TApplication> App;
  bool FirstFrameShown = false;
  TGameState LastState = gsStartup;
  bool LastTyping = false;
  bool LastAsking = false;
};

TWebGame* game = nullptr;

// A replay played from a link (?replay=URL), from its start to its end, then the title.
struct TWebReplay {
  TReplay Replay;
  std::unique_ptr<IVideoOutput> Video;
  std::unique_ptr<TMainForm> Form;
  std::unique_ptr<TReplayPlayer> Player;
  uint32_t Start = 0;
  uint32_t EndedAt = 0;
  bool Ended = false;
};
TWebReplay* replay = nullptr;
// How long the replay's last picture stays before the title, in milliseconds.
constexpr uint32_t kReplayHold = 2500;
// The most calls a browser frame plays (a tab hidden for a while catches up over a few frames).
constexpr int kReplayStepsPerFrame = 200;
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
  const bool asking = s == gsHighScores && RecordsAsking();
  if (s == game->LastState && typing == game->LastTyping && asking == game->LastAsking) return;
  if (game->LastState == gsOptions && s != gsOptions) SaveAll();
  // The share question answered: the answer is kept at once.
  if (game->LastAsking && !asking) SaveAll();
  game->LastState = s;
  game->LastTyping = typing;
  game->LastAsking = asking;
  web_page::StateChanged(static_cast<int>(s), typing, asking);
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

// The world table: the settings' address, else the one of the page's own site.
void ChooseWorldServer() {
  std::string server = WorldServerSetting();
  if (server.empty() && !web_page::PageOrigin().empty())
    server = web_page::PageOrigin() + "/api/v1/";
  world::SetServer(server);
}

// Start after Exit, or after a replay, is a fresh start: the game-wide values as at the page's
// load.
void FreshStart() {
  if (played) {
    const std::string folder = G.ProgramFolder;
    ResetGlobals();
    G.ProgramFolder = folder;
  }
  played = true;
}

void EndReplay() {
  emscripten_cancel_main_loop();
  delete replay;  // closes the window
  replay = nullptr;
  ShutdownSound();
  // The table the replay's end put a row in is read again from the player's own file.
  ForgetHighScores();
  // Back to the title, once this frame has ended.
  emscripten_async_call([](void*) { tarvelle_start(); }, nullptr, 0);
}

void ReplayFrame(void*) {
  if (!replay) return;
  TWebReplay& r = *replay;
  bool stop = false;
  TInputEvent e;
  while (r.Video->PollEvent(e)) {
    if (e.Kind == TInputEvent::KeyUp && e.Key == vk::Escape) stop = true;
    if (e.Kind == TInputEvent::Exposed || e.Kind == TInputEvent::Restored) r.Form->DXDraw.ShowAgain();
  }
  const uint32_t now = Clock().Now();
  try {
    for (int n = 0; !stop && !r.Player->Done() && n < kReplayStepsPerFrame; ++n) {
      if (static_cast<int32_t>(now - (r.Start + r.Player->NextAt())) < 0) break;
      r.Player->Step();
    }
  } catch (const std::exception& ex) {
    ShowErrorBox("Tarvelle", ex.what());
    stop = true;
  }
  if (!r.Ended && (r.Player->Done() || stop)) {
    r.Ended = true;
    r.EndedAt = now;
    web_page::ReplayEnded(G.Score, r.Player->Done() && TReplayPlayer::Now() == r.Replay.Final);
  }
  if (stop || (r.Ended && now - r.EndedAt >= kReplayHold)) EndReplay();
}

void Ready() {
  EM_ASM({ if (Module.onReady) Module.onReady(); });
}

}  // namespace

extern "C" {

// The page's Start (a click, so the browser lets the game's sound play).
EMSCRIPTEN_KEEPALIVE int tarvelle_start() {
  if (game || replay) return 1;
  FreshStart();  // the title menu is built again, with its music
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  settingsRead = true;
  ChooseWorldServer();
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

// Plays the replay file at path (fetched by the page from a link) to its end, then the title
// menu follows. 0 when it can't be played (told in the page's message).
EMSCRIPTEN_KEEPALIVE int tarvelle_play_replay(const char* path) {
  if (game || replay) return 0;
  auto r = std::make_unique<TWebReplay>();
  try {
    r->Replay = ReadReplayFile(path);
  } catch (const EReplayError& e) {
    web_page::ShowMessage("Tarvelle", e.what());
    return 0;
  }
  if (r->Replay.Levels != 0 && r->Replay.Levels != LevelFileChecksum()) {
    web_page::ShowMessage("Tarvelle", "This replay was played on other levels than the ones loaded.");
    return 0;
  }
  FreshStart();
  try {
    LoadSettings();  // the volumes; nothing is saved by a replay
  } catch (const ESettingsError&) {
  }
  ForgetHighScores();
  try {
    r->Video = CreateSdlVideo();
    r->Form = std::make_unique<TMainForm>(r->Video.get());
    r->Form->FormCreate();
    StartGame(*r->Form);
    r->Player = std::make_unique<TReplayPlayer>(r->Replay, *r->Form);
    r->Player->Start();
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    return 0;
  }
  r->Start = Clock().Now();
  replay = r.release();
  emscripten_set_main_loop_arg(ReplayFrame, nullptr, 0, false);
  web_page::FirstFrame();
  return 1;
}

// Plays the level pack at path (fetched by the page from a link) in place of the game's own
// levels from the next Start. 0 when the game can't play it (told in the page's message).
EMSCRIPTEN_KEEPALIVE int tarvelle_use_levels(const char* path) {
  const std::string problem = CheckLevelPack(path);
  if (!problem.empty()) {
    web_page::ShowMessage("Tarvelle", problem);
    return 0;
  }
  SetLevelPack(path);
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
// a food item's cell, the share question, its answer, the scores queued for the world table.
EMSCRIPTEN_KEEPALIVE int tarvelle_state(int what) {
  switch (what) {
    case 0:  // a replay from a link shows its states too
      return game || replay ? static_cast<int>(G.GameState) : -1;
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
    case 8:  // the question after the first name: share scores in the world table
      return game && RecordsAsking() ? 1 : 0;
    case 9:  // the answer kept: 0 not asked yet, 1 share, 2 don't
      return static_cast<int>(ShareChoice());
    case 10:  // scores waiting for the world table
      return static_cast<int>(world::QueuedScores());
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
