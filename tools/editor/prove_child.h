#pragma once
#include <string>

#include "platform/child_process.h"
#include "tools/editor/prove_runner.h"

// The editor draws with the game's state, so its proofs run in a program of their own: the
// editor itself started as `tarvelle-editor --prove -`, which proves the level record it reads
// on its standard input and reports on its standard output. Same status as a TProveRunner.
class TProveChild {
 public:
  explicit TProveChild(std::string program) : program_(std::move(program)) {}
  ~TProveChild();

  bool Start(const TLevelRecord& level);
  void Stop();
  // Reads what the proof reported so far (never waits).
  TProveRunner::TStatus Status();

 private:
  void Finish(const std::string& error);

  std::string program_;
  TChildProcess child_;
  TProveRunner::TStatus status_;
};

// The level a program started by the editor works on: level 1 of file, or with "-" the level
// record on standard input (refused as the level file's reader refuses one).
TLevelRecord ReadLevelArgument(const std::string& file);

// The proving program's side: proves level 1 of file ("-": the record on standard input),
// writing "progress F" lines and one "result D WON TIMELEFT ENERGY STEPS TIME KEY ..." line per
// difficulty. Returns the exit status.
int RunProofCommand(const std::string& file);
