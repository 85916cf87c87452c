#include "server/pack_prover.h"

#include <sstream>

#include "game/level_pack.h"
#include "server/sandbox_run.h"

TProof TBotProver::Prove(const std::string& levelFile, int level) {
  TProof p;
  TTempFolder dir;
  if (!dir.Write("LevelsFree.dat", levelFile)) {
    p.Detail = "cannot write a temporary folder";
    return p;
  }
  const TSandboxRun run = RunInSandbox(
      {program_, "prove", "--data", dir.Path, "--level", std::to_string(level)}, dir.Path,
      limits_);
  if (const std::string failure = run.Failure(limits_); !failure.empty()) {
    p.Detail = "the player bot " + failure;
    return p;
  }
  // One line a difficulty: "level  difficulty  won ..." with "yes" or "NO".
  std::istringstream lines(run.Out);
  std::string line, lost;
  int rows = 0;
  while (std::getline(lines, line)) {
    std::istringstream row(line);
    int l = 0, d = 0;
    std::string won;
    if (!(row >> l >> d >> won) || l != level) continue;
    ++rows;
    if (won != "yes") lost += (lost.empty() ? "" : ", ") + std::to_string(d);
  }
  if (rows != 3 || (run.Exit != 0 && lost.empty())) {
    p.Detail = "the player bot did not answer (" + run.Error + ")";
    return p;
  }
  p.Done = true;
  p.Won = lost.empty();
  p.Detail = p.Won ? "won at difficulties 1, 2 and 3"
                   : "the player bot found no way to win at difficulty " + lost;
  return p;
}

std::string PackProblem(const std::string& levelFile) {
  TTempFolder dir;
  if (!dir.Write("pack.dat", levelFile)) return "cannot write a temporary folder";
  std::string problem = CheckLevelPack(dir / "pack.dat");
  // The message names the temporary file: the sender knows it as "the pack".
  for (const std::string& name : {dir / "pack.dat", std::string("pack.dat")}) {
    if (problem.starts_with(name)) {
      problem.replace(0, name.size(), "the pack");
      break;
    }
  }
  return problem;
}
