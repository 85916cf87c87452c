#include "server/child_verifier.h"

#include "server/sandbox_run.h"

TVerdict TChildVerifier::Verify(const std::string& replay, const std::string& levelFile) {
  TVerdict v;
  TTempFolder dir;
  if (!dir.Write("game.tvr", replay) || (!levelFile.empty() && !dir.Write("levels.dat", levelFile))) {
    v.Message = "cannot write a temporary folder";
    return v;
  }
  std::vector<std::string> args = {program_, "--home", dir.Path};
  if (!data_.empty()) args.insert(args.end(), {"--data", data_});
  if (!levelFile.empty()) args.insert(args.end(), {"--levels", dir / "levels.dat"});
  args.insert(args.end(), {"--replay", dir / "game.tvr"});
  const TSandboxRun run = RunInSandbox(args, dir.Path, limits_);
  v.CpuSeconds = run.CpuSeconds;
  if (const std::string failure = run.Failure(limits_); !failure.empty()) {
    v.Message = "the player " + failure;
  } else if (run.Exit == 0) {
    v.Kind = TVerdict::Exact;
  } else if (run.Exit == 1) {
    v.Kind = TVerdict::Differs;
  } else if (run.Exit == 2) {
    // "tarvelle-drive: FILE: what is wrong", or its refusal of the levels given.
    v.Kind = run.Error.find("other levels") != std::string::npos ? TVerdict::UnknownLevels
                                                                 : TVerdict::Damaged;
    v.Message = run.Error;
  } else {
    v.Message = "the player could not run (status " + std::to_string(run.Exit) + "): " + run.Error;
  }
  return v;
}
