// Tarvelle: the program's start.
#include <exception>
#include <memory>

#include "game/app_loop.h"
#include "game/globals.h"
#include "game/main_form.h"
#include "game/random.h"
#include "launcher/settings.h"
#include "launcher/settings_store.h"
#include "launcher/start_game.h"
#include "platform/paths.h"
#include "platform/video.h"

int main() {
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
    try {
      form.FormCreate();
      StartGame(form);
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
