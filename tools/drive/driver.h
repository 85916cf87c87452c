#pragma once
#include <ostream>
#include <vector>

#include "session/game_session.h"
#include "tools/drive/script.h"

using TDriverOptions = TSessionOptions;

// tarvelle-drive's script runner: the game session, driven by the commands of a script.
class THeadlessDriver : public TGameSession {
 public:
  using TGameSession::TGameSession;

  // Runs the commands in order; `state` lines go to out. Raises std::runtime_error when a
  // picture can't be written.
  void Run(const std::vector<TScriptCommand>& script, std::ostream& out);
  // One frame of the program (one pass of the message loop).
  void RunFrame() { Step(); }

 private:
  void Execute(const TScriptCommand& c, std::ostream& out);
};
