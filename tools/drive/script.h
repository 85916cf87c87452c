#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// One line of a driver script.
struct TScriptCommand {
  // Network: frames while the world table's scores are sent and answered in this run, for at
  // most A milliseconds of real time.
  enum TKind { Frames, Wait, Down, Up, Tap, Type, Mouse, Click, Difficulty, Start, Shot, State,
               Network };
  TKind Kind = Frames;
  int32_t A = 0, B = 0, C = 0;  // numbers: count, key code, x, y, button, level...
  std::string Text;             // typed text or file name
  int Line = 0;
};

// A script that can't be run: the message names the line.
class EScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses a whole script; '#' starts a comment. Raises EScriptError "line N: ...".
std::vector<TScriptCommand> ParseScript(const std::string& text);

// A key name of the script (Left Right Up Down Enter Esc Space Pause P Y N F2) or a decimal
// code; -1 when it is neither.
int32_t ScriptKeyCode(const std::string& name);
