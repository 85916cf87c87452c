#pragma once
#include <cstdint>
#include <string>

#include "game/level_record.h"
#include "tools/editor/pack_files.h"
#include "tools/editor/prove_child.h"
#include "tools/editor/prove_runner.h"

// The proofs of the levels being edited: the player bot run beside the editor on the level
// shown, its progress for the panel, its results on the standard output, and each level it won
// at every difficulty kept in the proof log.
class TEditorProof {
 public:
  // program: the editor itself, started again to prove; logFile: the log of the levels proved.
  TEditorProof(std::string program, std::string logFile)
      : prover_(std::move(program)), log_(std::move(logFile)) {}

  // Starts proving level, or stops the proof that runs.
  void StartOrStop(const TLevelRecord& level);
  // Reads the proof's progress, for a proof that was running; when it has ended, reports the
  // results as those of level levelNo (from 1) and logs a level won at every difficulty.
  void Poll(int32_t levelNo);
  void Stop() { prover_.Stop(); }

  const TProveRunner::TStatus& Status() const { return status_; }
  // A proof was started; the level it is of (the route watched is only that level's).
  bool Started() const { return started_; }
  const TLevelRecord& Proved() const { return proved_; }
  const TProofLog& Log() const { return log_; }

 private:
  void Report(int32_t levelNo) const;

  TProveChild prover_;
  TProofLog log_;
  TProveRunner::TStatus status_;
  TLevelRecord proved_{};
  bool started_ = false;
};
