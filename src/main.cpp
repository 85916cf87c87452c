// Tarvelle: the program's start.
#include <exception>
#include <memory>
#include <string>

#include "game/app_loop.h"
#include "game/globals.h"
#include "game/main_form.h"
#include "game/random.h"
#include "game/replay_window.h"
#include "launcher/settings.h"
#include "launcher/settings_store.h"
#include "launcher/start_game.h"
#include "platform/paths.h"
#include "platform/video.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--replay") return PlayReplayInWindow(argv[2]);
  Randomize();
  G.ProgramFolder = paths::ExecutableFolder();
  try {
    LoadSettings();
  } catch (const ESettingsError& e) {
    ShowErrorBox("Tarvelle", e.what());
  }
  try {
    std::unique_ptr<IVideoOutput> video = CreateSdlVideo();
    TMainForm form(video.get());
    form.FormCreate();
    StartGame(form);
    TApplication app(form, *video);
    app.Run();
    return app.ExitCode();
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    return 1;
  }
}
