// A replay played on the game window: whatever a replay file that reads holds (any keys,
// clicks anywhere, a stick centred anywhere, clock readings that jump or run back, long
// frames), the game takes it as it would from the player, without a crash.
#include <memory>
#include <string>

#include "actors/sprite_tree.h"
#include "front/replay_player.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/level_world.h"
#include "fuzz/replay_bytes.h"
#include "game/replay.h"

namespace {

// The calls played of each replay: enough to start a game and play into it.
constexpr size_t MaxCalls = 300;

}  // namespace

TARVELLE_FUZZ_TARGET(replay_play) {
  TReplay replay;
  try {
    replay = DecodeReplay(fuzz::SealedReplay(std::string(fuzz::Text(data, size))), "fuzz.tvr");
  } catch (const EReplayError&) {
    return;  // the replay_file target covers the refusals
  }
  // Scores, settings and replays the game saves go to the scratch (the session's home).
  TGameSession& session = fuzz::PlaySession();
  session.Form().ResetToMenu();
  {
    TReplayPlayer player(replay, session.Form());
    player.Start();
    for (size_t n = 0; n < MaxCalls && !G.Quitting && player.Step(); ++n) {
    }
  }
  ClearAllSprites();
}
