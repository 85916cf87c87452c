#include "tools/editor/rate_child.h"

#include <sstream>

#include "tools/editor/level_child.h"

namespace {

// One line of the tries' program's report.
void ReadReport(const std::string& line, TRateStatus& status) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  if (word == "progress") {
    int32_t done = 0, total = 0;
    if (in >> done >> total && done >= 0 && total > 0 && done <= total) {
      status.Played = done;
      status.Total = total;
    }
    return;
  }
  TRateStatus r = status;
  if (word != "result" || !(in >> r.Played >> r.Won >> r.TimeLeft >> r.Energy >> r.CommonLoss))
    return;
  if (r.Played <= 0 || r.Won < 0 || r.Won > r.Played) return;
  if (r.CommonLoss == "none") r.CommonLoss.clear();
  r.Total = r.Played;
  r.Done = true;
  status = r;
}

}  // namespace

bool TRateChild::Start(const TLevelRecord& level, int32_t difficulty) {
  Stop();
  status_ = TRateStatus{};
  status_.Difficulty = difficulty;
  status_.Error =
      StartOnLevel(child_, {program_, "--rate", std::to_string(difficulty), "-"}, level);
  if (!status_.Error.empty()) return false;
  status_.Running = true;
  return true;
}

void TRateChild::Stop() {
  if (!status_.Running) return;
  child_.Stop();
  status_.Running = false;
}

const TRateStatus& TRateChild::Status() {
  if (!status_.Running) return status_;
  std::string line;
  while (child_.ReadLine(line)) ReadReport(line, status_);
  if (!child_.Running()) {
    while (child_.ReadLine(line)) ReadReport(line, status_);
    status_.Running = false;
    if (child_.ExitStatus() != 0 || !status_.Done) {
      status_.Done = false;
      status_.Error = "its tries ended badly";
    }
  }
  return status_;
}
