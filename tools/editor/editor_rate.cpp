#include "tools/editor/editor_rate.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t MeasuredKept = 64;

// A rate told in tenths, as a person says it: never "0 in 10" for a level won now and then, nor
// "10 in 10" for one lost now and then.
int32_t Tenths(int32_t won, int32_t played) {
  const int32_t tenths = (won * 20 + played) / (played * 2);
  return std::clamp(tenths, 1, 9);
}

}  // namespace

void TEditorRate::Update(const TLevelRecord& level, bool whole, int32_t difficulty, bool held,
                         int64_t nowMs, int32_t levelNo) {
  held_ = held;
  if (!(level == level_) || difficulty != difficulty_ || whole != whole_) {
    child_.Stop();
    level_ = level;
    difficulty_ = difficulty;
    whole_ = whole;
    changedAt_ = nowMs;
    status_ = TRateStatus{};
    status_.Difficulty = difficulty;
    waiting_ = false;
    if (!whole) return;
    const auto known = std::find_if(measured_.begin(), measured_.end(), [&](const TMeasured& m) {
      return m.Difficulty == difficulty && m.Level == level;
    });
    if (known != measured_.end()) {
      status_ = known->Rate;
      return;
    }
    waiting_ = true;
  }
  if (status_.Running) {
    if (held) {  // played again once the game window has closed
      child_.Stop();
      status_ = TRateStatus{};
      status_.Difficulty = difficulty;
      waiting_ = true;
      return;
    }
    status_ = child_.Status();
    if (status_.Running) return;
    if (status_.Done) {
      if (measured_.size() == MeasuredKept) measured_.erase(measured_.begin());
      measured_.push_back({level_, difficulty_, status_});
    }
    Report(levelNo);
    return;
  }
  if (waiting_ && !held && nowMs - changedAt_ >= settleMs_) {
    waiting_ = false;
    child_.Start(level_, difficulty_);
    status_ = child_.Status();
  }
}

// The rate on the standard output too, for the record of a session.
void TEditorRate::Report(int32_t levelNo) const {
  const TRateStatus& r = status_;
  if (!r.Done) {
    std::printf("level %d, difficulty %d: %s\n", levelNo, r.Difficulty, r.Error.c_str());
  } else {
    std::printf("level %d, difficulty %d: a casual player wins %d of %d tries", levelNo,
                r.Difficulty, r.Won, r.Played);
    if (r.Won > 0) std::printf(", median %d s left, energy %d", r.TimeLeft, r.Energy);
    if (!r.CommonLoss.empty())
      std::printf(", mostly %s", r.CommonLoss == "time" ? "out of time" : r.CommonLoss.c_str());
    std::printf("\n");
  }
  std::fflush(stdout);
}

std::string TEditorRate::Text() const {
  if (difficulty_ == 0) return "";  // not looked at yet
  if (waiting_ && held_) return "Casual player: waits for the game window to close";
  if (!whole_) return "Casual player: plays the level once it is mended";
  return RateText(status_, waiting_);
}

std::string RateText(const TRateStatus& r, bool waiting) {
  const std::string who = "Casual player at D" + std::to_string(r.Difficulty) + ": ";
  if (!r.Error.empty()) return who + r.Error;
  if (waiting) return who + "plays once the level settles";
  if (r.Running) {
    return who + std::to_string(r.Played) + " of " + std::to_string(r.Total > 0 ? r.Total : 0) +
           " tries played";
  }
  if (!r.Done) return "";
  const std::string tries = std::to_string(r.Played) + " tries";
  if (r.Won == 0) return who + "no win in " + tries;
  if (r.Won == r.Played) return who + "won all " + tries;
  const int32_t tenths = Tenths(r.Won, r.Played);
  return who + "wins " + std::to_string(tenths) + (tenths == 1 ? " time" : " times") + " in 10 (" +
         tries + ")";
}
