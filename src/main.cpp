// Tarvelle: the program's start.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "core/globals.h"
#include "core/level_set.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/app_loop.h"
#include "front/input.h"
#include "game/level_pack.h"
#include "game/levels_in_memory.h"
#include "game/rules.h"
#include "launcher/launcher_run.h"
#include "launcher/links.h"
#include "launcher/program_folder.h"
#include "launcher/replay_window.h"
#include "launcher/start_game.h"
#include "launcher/world_server.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "platform/save_failure.h"
#include "platform/video.h"

#ifndef TARVELLE_DATA_FROM_BIN
#define TARVELLE_DATA_FROM_BIN "../share/games/tarvelle"
#endif
#ifndef TARVELLE_DATA_DIR
#define TARVELLE_DATA_DIR "/usr/share/games/tarvelle"
#endif

namespace {

const char* kUsage =
    "usage: tarvelle [--levels NAME|FILE|-] [--play | --replay FILE | --get-pack ID] [--server URL]\n"
    "  --levels NAME|FILE  play a level pack (NAME.dat in the packs' folder, or a file)\n"
    "  --levels -  play the level file's bytes read from standard input (no file is written)\n"
    "  --play     start the game at once, without the launcher window\n"
    "  --level N --difficulty D  with --play: start level N at difficulty D (1 to 3) at once\n"
    "  --try      a level tried from the level editor: Esc ends the program, nothing is saved\n"
    "  --replay FILE  play a recorded game back in the window\n"
    "  --get-pack ID  download a pack of the world table's exchange into the packs' folder\n"
    "  --server URL   the world table's address for this run (https://host/api/v1/)\n"
    "  --version  print the version\n";

}  // namespace

int main(int argc, char** argv) {
  bool play = false;
  int startLevel = 0, difficulty = 0;
  std::string replay, pack, getPack, server;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--play") == 0) {
      play = true;
    } else if (std::strcmp(argv[i], "--try") == 0) {
      G.TryingOut = true;
    } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
      startLevel = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--difficulty") == 0 && i + 1 < argc) {
      difficulty = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--levels") == 0 && i + 1 < argc) {
      pack = argv[++i];
    } else if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) {
      replay = argv[++i];
    } else if (std::strcmp(argv[i], "--get-pack") == 0 && i + 1 < argc) {
      getPack = argv[++i];
    } else if (std::strcmp(argv[i], "--server") == 0 && i + 1 < argc) {
      server = argv[++i];
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Tarvelle %s\n", kGameVersion);
      return 0;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "tarvelle: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }

  NameSdlApplication("Tarvelle", "org.example.tarvelle");
  // A save that fails is shown in a box: standard error is not seen on every desktop.
  files::SetShowSaveFailure([](const std::string& message) { ShowErrorBox("Tarvelle", message); });
  Randomize();
  const std::string exeFolder = paths::ExecutableFolder();
  const std::vector<std::string> candidates = {exeFolder, exeFolder + TARVELLE_DATA_FROM_BIN + "/",
                                               TARVELLE_DATA_DIR "/"};
  G.ProgramFolder = FindProgramFolder(candidates);
  if (G.ProgramFolder.empty()) {
    ShowErrorBox("Tarvelle", MissingDataMessage(candidates));
    return 1;
  }
  if (pack == "-") {
    process::BinaryStandardInput();
    const std::string bytes{std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>()};
    const std::string message = PlayLevelFileBytes(bytes, "the level file on standard input");
    if (!message.empty()) {
      ShowErrorBox("Tarvelle", message);
      return 1;
    }
  } else if (!pack.empty()) {
    const std::string message = CheckLevelPack(LevelPackPath(pack));
    if (!message.empty()) {
      ShowErrorBox("Tarvelle", message);
      return 1;
    }
    SetLevelPack(LevelPackPath(pack));
  }
  if (!replay.empty()) return PlayReplayInWindow(replay);
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  ChooseWorldServer(server);
  if (!getPack.empty()) return GetPack(getPack);
  try {
    std::unique_ptr<IVideoOutput> video = CreateSdlVideo();
    TMainForm form(video.get());
    try {
      form.FormCreate();
      if (!play && !RunLauncher(form)) return 0;
      StartGame(form);
      if (play && startLevel >= 1 && startLevel <= LevelSetSize) {
        // For this run only: the settings saved at quit keep what they were.
        ChooseForThisRun(difficulty >= 1 && difficulty <= 3 ? difficulty : G.Difficulty,
                         startLevel);
        NewGame(startLevel);
      }
      TApplication app(form, *video);
      app.Run();
      return app.ExitCode();
    } catch (const std::exception& e) {
      ShowErrorBox("Tarvelle", e.what());
      QuitAfterErrors(form);  // every way out saves
      return 1;
    }
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    return 1;
  }
}
