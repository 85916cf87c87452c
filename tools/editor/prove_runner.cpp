#include "tools/editor/prove_runner.h"

#include <algorithm>

#include "game/level_check.h"
#include "tools/bot/bot_search.h"

namespace {

constexpr int32_t Difficulties = 3;
// The search starts narrow and is widened by 4 twice before the level counts as not won.
constexpr int32_t Beams[] = {24, 96, 384};
constexpr int32_t Tries = static_cast<int32_t>(std::size(Beams));

}  // namespace

TProofResults ProveLevel(const TLevelRecord& level, const std::function<bool(double)>& progress) {
  TProofResults results{};
  const double levelMs = std::max(1, static_cast<int32_t>(level.TimeLimit)) * 1000.0;
  for (int32_t d = 1; d <= Difficulties; ++d) {
    TProofResult& out = results[d - 1];
    out.Difficulty = d;
    for (int32_t t = 0; t < Tries; ++t) {
      TBotOptions o;
      o.Levels = {level};
      o.Level = 1;
      o.Difficulty = d;
      o.Beam = Beams[t];
      o.KeepGoing = [&](int32_t ticks) {
        const double within = std::min(1.0, ticks / levelMs);
        return progress((d - 1 + (t + within) / Tries) / Difficulties);
      };
      const TBotResult r = SearchWin(o);
      if (r.Stopped) return results;
      if (!r.Won && t + 1 < Tries) continue;
      out.Done = true;
      out.Won = r.Won;
      out.TimeLeft = r.TimeLeft;
      out.Energy = r.Energy;
      out.Steps = r.Steps;
      break;
    }
    if (!progress(static_cast<double>(d) / Difficulties)) break;
  }
  return results;
}

TProveRunner::~TProveRunner() {
  Stop();
  Wait();
}

bool TProveRunner::Start(const TLevelRecord& level) {
  std::lock_guard lock(mutex_);
  if (status_.Running) {
    status_.Error = "a proof is running";
    return false;
  }
  const std::vector<TLevelProblem> errors = LevelRecordErrors(level);
  if (!errors.empty()) {
    status_ = TStatus{};
    status_.Error = "mend the level first: " + errors.front().Text;
    return false;
  }
  if (thread_.joinable()) thread_.join();
  status_ = TStatus{};
  status_.Running = true;
  stop_ = false;
  thread_ = std::thread(&TProveRunner::Run, this, level);
  return true;
}

void TProveRunner::Stop() {
  stop_ = true;
}

void TProveRunner::Wait() {
  if (thread_.joinable()) thread_.join();
}

TProveRunner::TStatus TProveRunner::Status() const {
  std::lock_guard lock(mutex_);
  return status_;
}

void TProveRunner::Run(TLevelRecord level) {
  TProofResults results{};
  std::string error;
  try {
    results = ProveLevel(level, [this](double fraction) {
      std::lock_guard lock(mutex_);
      status_.Progress = fraction;
      return !stop_;
    });
  } catch (const std::exception& e) {
    error = e.what();
  }
  std::lock_guard lock(mutex_);
  status_.Results = std::move(results);
  status_.Error = error;
  status_.Stopped = stop_ && error.empty() &&
                    !std::all_of(status_.Results.begin(), status_.Results.end(),
                                 [](const TProofResult& r) { return r.Done; });
  status_.Running = false;
}
