// tarvelle-editor: makes and changes level packs, checks them as they are drawn, proves them.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "game/level_pack.h"
#include "launcher/program_folder.h"
#include "media/png_writer.h"
#include "platform/launcher_window.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "platform/video.h"
#include "tools/editor/editor_app.h"
#include "tools/editor/pack_files.h"
#include "tools/editor/prove_child.h"
#include "tools/editor/rate_command.h"

#ifndef TARVELLE_DATA_FROM_BIN
#define TARVELLE_DATA_FROM_BIN "../share/games/tarvelle"
#endif
#ifndef TARVELLE_DATA_DIR
#define TARVELLE_DATA_DIR "/usr/share/games/tarvelle"
#endif
#ifndef TARVELLE_GAME_PROGRAM
#define TARVELLE_GAME_PROGRAM "tarvelle"
#endif
#ifndef TARVELLE_EDITOR_PROGRAM
#define TARVELLE_EDITOR_PROGRAM "tarvelle-editor"
#endif

namespace {

void Usage() {
  std::cerr
      << "usage: tarvelle-editor [--level N] [FILE]  edit a level pack (a new one without "
         "FILE,\n"
         "         or a new one that Save writes to FILE when FILE is not there yet)\n"
         "       tarvelle-editor --shot OUT.png [--level N] [FILE]  the editor's picture, "
         "without a window\n"
         "       tarvelle-editor --prove FILE  prove level 1 of FILE (-: a record on the\n"
         "                                     standard input) at difficulties 1 to 3\n"
         "       tarvelle-editor --rate D FILE  how often a casual player wins level 1 of FILE\n"
         "                                      (-: a record on the standard input) at D\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  process::SetEnvironment("SDL_AUDIODRIVER", "dummy");  // the editor makes no sound
  if (args.size() == 2 && args[0] == "--prove") {
    process::SetEnvironment("SDL_VIDEODRIVER", "dummy");
    return RunProofCommand(args[1]);
  }
  if (args.size() == 3 && args[0] == "--rate") {
    process::SetEnvironment("SDL_VIDEODRIVER", "dummy");
    return RunRateCommand(std::atoi(args[1].c_str()), args[2]);
  }
  std::string shot, file;
  int level = 1;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--shot" && i + 1 < args.size()) {
      shot = args[++i];
    } else if (args[i] == "--level" && i + 1 < args.size()) {
      level = std::atoi(args[++i].c_str());
    } else if (args[i].starts_with("-") || !file.empty()) {
      Usage();
      return 2;
    } else {
      file = args[i];
    }
  }
  TEditorModel model;
  std::string message;
  if (!file.empty()) {
    try {
      message = OpenPackFile(model, file);
      for (const std::string& m : model.OpenMessages())
        std::cerr << "tarvelle-editor: " << m << "\n";
    } catch (const std::exception& e) {
      message = e.what();
    }
  }
  model.Select(level - 1);
  TEditorPlaces places;
  places.Packs = LevelPackFolder();
  places.Program = paths::ExecutableFolder() + TARVELLE_EDITOR_PROGRAM;
  // The game's data (its water pictures), found as the game finds them; the game beside us.
  const std::string exe = paths::ExecutableFolder();
  places.Game = FindProgramFolder({exe, exe + TARVELLE_DATA_FROM_BIN + "/", TARVELLE_DATA_DIR "/"});
  places.GameProgram = exe + TARVELLE_GAME_PROGRAM;
  places.Recovery = paths::DataHome() + "Morvane/Tarvelle/editor-recovery/";
  places.Proofs = paths::DataHome() + "Morvane/Tarvelle/editor-proofs.txt";
  places.ReadOnly = model.ReadOnly();
  try {
    if (!shot.empty()) {
      process::SetEnvironment("SDL_VIDEODRIVER", "dummy");
      TEditorApp app(model, places, message);
      return WritePng(app.Compose(), shot) ? 0 : 1;
    }
    TEditorApp app(model, places, message);
    NameSdlApplication("Tarvelle Level Editor", "org.example.tarvelle.editor");
    const auto window = CreateSdlLauncherWindow();
    app.Run(*window);
  } catch (const std::exception& e) {
    std::cerr << "tarvelle-editor: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
