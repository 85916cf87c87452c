#include "server/check_verifier.h"

#include "server/sandbox_run.h"
#include "session/check_child.h"

TVerdict TCheckVerifier::Verify(const std::string& replay, const std::string& levelFile) {
  TVerdict v;
  TTempFolder dir;
  if (!dir.Write("input", levelFile + replay)) {
    v.Message = "cannot write a temporary folder";
    return v;
  }
  std::vector<std::string> args = {program_, "--cpu", std::to_string(limits_.CpuSeconds),
                                   "--memory", std::to_string(limits_.MemoryMb), "--levels-size",
                                   std::to_string(levelFile.size())};
  if (!data_.empty()) args.insert(args.begin() + 1, {"--data", data_});
  const TSandboxRun run = RunInSandbox(args, dir.Path, limits_, dir / "input");
  v.CpuSeconds = run.CpuSeconds;
  if (const std::string failure = run.Failure(limits_); !failure.empty()) {
    v.Message = "the check " + failure;
    return v;
  }
  if (run.Exit == 3) {
    v.Message = "the check took more than " + std::to_string(limits_.MemoryMb) + " MB of memory";
    return v;
  }
  TReplayCheck check;
  const std::string line = run.Out.substr(0, run.Out.find('\n'));
  if (run.Exit > 2 || !ParseReplayCheckJson(line, check)) {
    v.Message = "the check gave no answer (status " + std::to_string(run.Exit) + "): " + run.Error;
    return v;
  }
  switch (check.Verdict) {
    case TReplayCheck::Exact: v.Kind = TVerdict::Exact; break;
    case TReplayCheck::Differs:
      v.Kind = TVerdict::Differs;
      v.Message = check.What;
      break;
    case TReplayCheck::Damaged: v.Kind = TVerdict::Damaged; v.Message = check.Message; break;
    case TReplayCheck::UnknownLevels:
      v.Kind = TVerdict::UnknownLevels;
      v.Message = check.Message;
      break;
  }
  return v;
}
