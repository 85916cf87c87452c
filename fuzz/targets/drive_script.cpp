// The headless driver's script: any text parses into commands whose numbers lie in their
// ranges, or fails with a message that names a line.
#include "fuzz/fuzz_target.h"
#include "tools/drive/script.h"

TARVELLE_FUZZ_TARGET(drive_script) {
  std::vector<TScriptCommand> commands;
  try {
    commands = ParseScript(std::string(fuzz::Text(data, size)));
  } catch (const EScriptError& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("line "), "message without a line");
    return;
  }
  int lastLine = 0;
  for (const TScriptCommand& c : commands) {
    fuzz::Check(c.Line > lastLine, "commands out of line order");
    lastLine = c.Line;
    switch (c.Kind) {
      case TScriptCommand::Down:
      case TScriptCommand::Up:
      case TScriptCommand::Tap:
        fuzz::Check(c.A >= 0 && c.A <= 255, "key code out of range");
        break;
      case TScriptCommand::Mouse:
      case TScriptCommand::Click:
        fuzz::Check(c.A >= 0 && c.A < 640 && c.B >= 0 && c.B < 480, "pointer off the window");
        break;
      case TScriptCommand::Start:
        fuzz::Check(c.A >= 1 && c.A <= 15, "level out of range");
        break;
      case TScriptCommand::Type:
      case TScriptCommand::Shot:
        fuzz::Check(!c.Text.empty(), "empty text");
        break;
      default:
        break;
    }
  }
}
