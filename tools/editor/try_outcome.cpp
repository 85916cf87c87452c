#include "tools/editor/try_outcome.h"

std::string TryOutcome(const std::vector<std::string>& lines, int exitStatus, bool& bad) {
  bad = false;
  for (const std::string& line : lines) {
    if (line == "try: won") return "the try ended: the level was won";
    if (line == "try: lost") {
      bad = true;
      return "the try ended: the level was lost (no lives left)";
    }
  }
  if (exitStatus != 0) {
    bad = true;
    return "the try ended: the game stopped on an error (exit status " +
           std::to_string(exitStatus) + ")";
  }
  return "the try ended: the level was left before its end";
}
