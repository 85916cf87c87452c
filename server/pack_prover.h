#pragma once
#include <string>

#include "server/sandbox.h"

// A level of a pack proved winnable or not by the player bot.
struct TProof {
  bool Done = false;  // false when the proof itself failed (Detail says why)
  bool Won = false;   // won at difficulties 1, 2 and 3
  std::string Detail;
};

class IProver {
 public:
  virtual ~IProver() = default;
  virtual TProof Prove(const std::string& levelFile, int level) = 0;
};

// Proves with the player bot (`tarvelle-bot prove --level N`) as a sandboxed child.
class TBotProver : public IProver {
 public:
  explicit TBotProver(std::string program, TChildLimits limits = {600, 1024, 900000})
      : program_(std::move(program)), limits_(limits) {}
  TProof Prove(const std::string& levelFile, int level) override;

 private:
  std::string program_;
  TChildLimits limits_;
};

// What keeps a level file from being a pack, "" when nothing does: the game's own reader and
// checker on its bytes ("holds 3 level(s), the game needs 15", "level 7: GridCols is 19, at
// most 16").
std::string PackProblem(const std::string& levelFile);
