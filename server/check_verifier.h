#pragma once
#include <string>

#include "server/sandbox.h"
#include "server/verifier.h"

// Verifies with the game session's replay check, `tarvelle-check`, run as a child in the
// sandbox: the pack's level file and the replay go to its standard input, its verdict comes
// back as one JSON line.
class TCheckVerifier : public IVerifier {
 public:
  // program: tarvelle-check's path; data: the game's data folder (its own levels).
  TCheckVerifier(std::string program, std::string data, TChildLimits limits = {})
      : program_(std::move(program)), data_(std::move(data)), limits_(limits) {}
  TVerdict Verify(const std::string& replay, const std::string& levelFile) override;

 private:
  std::string program_, data_;
  TChildLimits limits_;
};
