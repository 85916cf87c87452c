#pragma once
#include <cstdint>
#include <string>

// Plays a submitted replay to its end and says whether it ended as recorded. The server asks
// through this one interface, so the way of playing (a child program with limits) can change
// without the queue knowing.
struct TVerdict {
  enum TKind {
    Exact,          // played back exactly: the score stands
    Differs,        // played back another way
    Damaged,        // no replay the game can play
    UnknownLevels,  // recorded on other levels than those given
    Failed,         // the verification itself failed (over its limits, could not start)
  };
  TKind Kind = Failed;
  std::string Message;  // for Damaged, UnknownLevels and Failed
  double CpuSeconds = 0;
};

class IVerifier {
 public:
  virtual ~IVerifier() = default;
  // replay: the file's bytes; levelFile: the level file's bytes of a pack, empty for the
  // game's own levels.
  virtual TVerdict Verify(const std::string& replay, const std::string& levelFile) = 0;
};
