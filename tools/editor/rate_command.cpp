#include "tools/editor/rate_command.h"

#include <cstdio>
#include <stdexcept>

#include "tools/bot/human_player.h"
#include "tools/bot/win_rate.h"
#include "tools/editor/prove_child.h"

#ifdef __linux__
#include <signal.h>
#include <sys/prctl.h>
#endif

namespace {

// Tries enough for a rate told in tenths: with 40 a rate of one half is known to about 8 in 100
// (one standard error), and they are played within a few seconds on two cores.
constexpr int32_t RateTries = 40;
// The seed of the first try: the same level gives the same rate every time it is measured.
constexpr uint32_t RateSeed = 20261211;

// The editor's end ends the tries too (they end with this program, and this program with the
// editor); a stop from the editor ends this program as any SIGTERM.
void EndWithTheEditor() {
#ifdef __linux__
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
}

}  // namespace

int RunRateCommand(int32_t difficulty, const std::string& file) {
  EndWithTheEditor();
  try {
    if (difficulty < 1 || difficulty > 3)
      throw std::invalid_argument("--rate: the difficulty is 1, 2 or 3");
    TBotOptions o;
    o.Levels = {ReadLevelArgument(file)};
    o.Level = 1;
    o.Difficulty = difficulty;
    o.Seed = RateSeed;
    int32_t shown = -1;
    const TWinRate rate = MeasureWinRate(o, *FindHumanProfile("casual"), RateTries, 0,
                                         [&shown](int32_t done, int32_t total) {
                                           if (done != shown) {
                                             std::printf("progress %d %d\n", done, total);
                                             std::fflush(stdout);
                                             shown = done;
                                           }
                                           return true;
                                         });
    if (rate.Played == 0) throw std::runtime_error("no try ended");
    const TLoss loss = rate.CommonestLoss();
    std::printf("result %d %d %d %d %s\n", rate.Played, rate.Won, rate.MedianTimeLeft,
                rate.MedianEnergy, loss == TLoss::None ? "none" : LossName(loss));
    std::fflush(stdout);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-editor: %s\n", e.what());
    return 1;
  }
}
