#include "launcher/replay_window.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "core/globals.h"
#include "core/random.h"
#include "core/settings.h"
#include "core/settings_store.h"
#include "front/input.h"
#include "platform/keys.h"
#include "front/replay_player.h"
#include "launcher/start_game.h"
#include "platform/clock.h"
#include "platform/video.h"

namespace {

// Handles the window's own events; false when the viewer wants to stop.
bool KeepShowing(IVideoOutput& video, TMainForm& form, int waitMs) {
  TInputEvent e;
  bool got = waitMs > 0 ? video.WaitEvent(e, waitMs) : video.PollEvent(e);
  while (got) {
    if (e.Kind == TInputEvent::CloseRequest) return false;
    if (e.Kind == TInputEvent::KeyUp && e.Key == vk::Escape) return false;
    if (e.Kind == TInputEvent::Exposed || e.Kind == TInputEvent::Restored) form.DXDraw.ShowAgain();
    got = video.PollEvent(e);
  }
  return true;
}

}  // namespace

int PlayReplayInWindow(const std::string& path) {
  // ProgramFolder is already the data folder the game found.
  Randomize();
  try {
    LoadSettings();  // the volumes; nothing is saved by a replay
  } catch (const ESettingsError&) {
  }
  TReplay replay;
  try {
    replay = ReadReplayFile(path);
  } catch (const EReplayError& e) {
    ShowErrorBox("Tarvelle", e.what());
    return 1;
  }
  try {
    std::unique_ptr<IVideoOutput> video = CreateSdlVideo();
    TMainForm form(video.get());
    form.FormCreate();
    StartGame(form);
    TReplayPlayer player(replay, form);
    player.Start();
    const uint32_t start = Clock().Now();
    while (!player.Done()) {
      const uint32_t due = start + player.NextAt();
      const auto wait = static_cast<int32_t>(due - Clock().Now());
      if (!KeepShowing(*video, form, wait > 0 ? std::min(wait, 20) : 0)) return 0;
      if (static_cast<int32_t>(due - Clock().Now()) > 0) continue;
      player.Step();
    }
    // The last picture stays until the viewer is done with it.
    while (KeepShowing(*video, form, 50)) {
    }
    return 0;
  } catch (const std::exception& e) {
    ShowErrorBox("Tarvelle", e.what());
    return 1;
  }
}
