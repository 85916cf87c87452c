#include "tools/editor/prove_child.h"

#include <cstdio>
#include <sstream>

#include "game/in_out_error.h"
#include "game/level_check.h"
#include "game/level_reader.h"
#include "platform/process_env.h"
#include "tools/editor/level_child.h"

TProveChild::~TProveChild() {
  Stop();
}

bool TProveChild::Start(const TLevelRecord& level) {
  if (status_.Running) {
    status_.Error = "a proof is running";
    return false;
  }
  status_ = TProveRunner::TStatus{};
  const std::string error = StartOnLevel(child_, {program_, "--prove", "-"}, level);
  if (!error.empty()) {
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

// The level record on standard input, refused as the level file's reader refuses one.
TLevelRecord StandardInputLevel() {
  process::BinaryStandardInput();
  std::array<uint8_t, LevelRecordSize> bytes{};
  if (std::fread(bytes.data(), 1, bytes.size(), stdin) != bytes.size())
    throw EInOutError(EInOutError::ecReadBeyondEnd, "standard input: no whole level record");
  const TLevelRecord level = DecodeLevelRecord(bytes);
  const std::vector<TLevelProblem> errors = LevelRecordErrors(level);
  if (!errors.empty())
    throw EInOutError(EInOutError::ecInvalidData, "standard input: " + errors.front().Text);
  return level;
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

TLevelRecord ReadLevelArgument(const std::string& file) {
  return file == "-" ? StandardInputLevel() : TLevelReader(file).ReadLevel(1);
}

int RunProofCommand(const std::string& file) {
  try {
    const TLevelRecord level = ReadLevelArgument(file);
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
