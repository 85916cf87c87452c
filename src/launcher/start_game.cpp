#include "launcher/start_game.h"

#include "core/globals.h"
#include "front/input.h"
#include "game/playfield.h"
#include "media/jpeg_loader.h"

void StartGame(TMainForm& form, bool waterPictures) {
  // The desktop's keyboard repeat is left alone (keyboard_repeat.h): the game window repeats
  // held keys itself.
  G.WindowedMode = true;
  form.InitVideo();
  if (waterPictures) LoadWaterPictures(form.ImageList);
  form.DXDraw.SetArrowCursor(G.GameState == gsPaused);
}
