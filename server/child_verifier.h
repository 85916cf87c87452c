#pragma once
#include <string>

#include "server/sandbox.h"
#include "server/verifier.h"

// Verifies by running the game's headless player (`tarvelle-drive --replay`) as a child in the
// sandbox: the replay and the pack's level file are written to a temporary folder, the child
// reads them and may write nothing. Its exit status is the verdict: 0 exact, 1 differs, 2 the
// file refused (its message on standard error tells damaged from other levels).
class TChildVerifier : public IVerifier {
 public:
  // program: the player's path; data: the game's data folder (its own levels).
  TChildVerifier(std::string program, std::string data, TChildLimits limits = {})
      : program_(std::move(program)), data_(std::move(data)), limits_(limits) {}
  TVerdict Verify(const std::string& replay, const std::string& levelFile) override;

 private:
  std::string program_, data_;
  TChildLimits limits_;
};
