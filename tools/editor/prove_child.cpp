#include "tools/editor/prove_child.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "game/level_check.h"
#include "game/level_reader.h"
#include "platform/atomic_file.h"
#include "platform/process_env.h"

TProveChild::~TProveChild() {
  Stop();
}

bool TProveChild::Start(const TLevelRecord& level) {
  if (status_.Running) {
    status_.Error = "a proof is running";
    return false;
  }
  status_ = TProveRunner::TStatus{};
  const std::vector<TLevelProblem> errors = LevelRecordErrors(level);
  if (!errors.empty()) {
    status_.Error = "mend the level first: " + errors.front().Text;
    return false;
  }
  const std::string folder = process::MakeTemporaryFolder("tarvelle-proof-");
  if (folder.empty()) {
    status_.Error = "cannot make a temporary folder";
    return false;
  }
  file_ = folder + "/level.dat";
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  std::string error;
  if (!files::WriteAtomically(file_, std::string(record.begin(), record.end()), &error) ||
      !child_.Start({program_, "--prove", file_}, &error)) {
    Finish(error);
    return false;
  }
  status_.Running = true;
  return true;
}

void TProveChild::Stop() {
  if (!status_.Running) return;
  child_.Stop();
  status_.Stopped = true;
  Finish("");
}

void TProveChild::Finish(const std::string& error) {
  status_.Running = false;
  status_.Error = error;
  if (!file_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(file_).parent_path(), ec);
    file_.clear();
  }
}

namespace {

// One line of the proving program's report.
void ReadReport(const std::string& line, TProveRunner::TStatus& status) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  if (word == "progress") {
    in >> status.Progress;
    return;
  }
  int d = 0, won = 0;
  size_t steps = 0;
  if (word != "result" || !(in >> d) || d < 1 || d > 3) return;
  TProofResult& r = status.Results[d - 1];
  r.Difficulty = d;
  r.Done = true;
  in >> won >> r.TimeLeft >> r.Energy >> steps;
  r.Won = won != 0;
  r.Steps.clear();
  for (size_t i = 0; i < steps && in; ++i) {
    int time = 0, key = 0;
    in >> time >> key;
    r.Steps.push_back({time, static_cast<uint8_t>(key)});
  }
}

}  // namespace

TProveRunner::TStatus TProveChild::Status() {
  if (!status_.Running) return status_;
  std::string line;
  while (child_.ReadLine(line)) ReadReport(line, status_);
  if (!child_.Running()) {
    while (child_.ReadLine(line)) ReadReport(line, status_);
    Finish(child_.ExitStatus() == 0 ? "" : "the proof ended badly");
  }
  return status_;
}

int RunProofCommand(const std::string& file) {
  try {
    const TLevelRecord level = TLevelReader(file).ReadLevel(1);
    double shown = -1;
    const TProofResults results = ProveLevel(level, [&shown](double f) {
      if (f - shown >= 0.005 || f == 1.0) {
        std::printf("progress %.4f\n", f);
        std::fflush(stdout);
        shown = f;
      }
      return true;
    });
    for (const TProofResult& r : results) {
      std::printf("result %d %d %d %d %zu", r.Difficulty, r.Won ? 1 : 0, r.TimeLeft, r.Energy,
                  r.Steps.size());
      for (const TDemoStepRec& s : r.Steps) std::printf(" %d %d", s.Time, s.KeyCode);
      std::printf("\n");
    }
    std::fflush(stdout);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-editor: %s\n", e.what());
    return 1;
  }
}
