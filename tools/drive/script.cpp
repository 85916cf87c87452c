#include "tools/drive/script.h"

#include <charconv>
#include <map>
#include <sstream>

#include "core/level_set.h"
#include "platform/keys.h"

namespace {

bool ToInt(const std::string& s, int32_t& out) {
  const auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), out);
  return err == std::errc() && end == s.data() + s.size();
}

}  // namespace

int32_t ScriptKeyCode(const std::string& name) {
  static const std::map<std::string, int32_t> names = {
      {"Left", vk::Left},   {"Right", vk::Right}, {"Up", vk::Up}, {"Down", vk::Down},
      {"Enter", vk::Return}, {"Esc", vk::Escape},  {"Space", vk::Space},
      {"Pause", vk::Pause}, {"P", vk::P},         {"Y", vk::Y},   {"N", vk::N},
      {"F2", vk::F2}};
  const auto it = names.find(name);
  if (it != names.end()) return it->second;
  int32_t code = 0;
  if (ToInt(name, code) && code >= 0 && code <= 255) return code;
  return -1;
}

std::vector<TScriptCommand> ParseScript(const std::string& text) {
  std::vector<TScriptCommand> out;
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(lines, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a script saved with CR LF
    const auto hash = line.find('#');
    const std::string raw = line;
    if (hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb)) continue;
    std::vector<std::string> args;
    for (std::string w; words >> w;) args.push_back(w);
    auto fail = [&](const std::string& why) -> void {
      throw EScriptError("line " + std::to_string(lineNo) + ": " + why + ": " + raw);
    };
    auto number = [&](size_t i, int32_t lo, int32_t hi) {
      int32_t v = 0;
      if (i >= args.size() || !ToInt(args[i], v) || v < lo || v > hi)
        fail("'" + verb + "' needs a number from " + std::to_string(lo) + " to " +
             std::to_string(hi));
      return v;
    };
    auto count = [&](size_t n) {
      if (args.size() != n) fail("'" + verb + "' takes " + std::to_string(n) + " argument(s)");
    };
    TScriptCommand c;
    c.Line = lineNo;
    if (verb == "frames") {
      count(1);
      c.Kind = TScriptCommand::Frames;
      c.A = number(0, 0, 10000000);
    } else if (verb == "wait") {
      count(1);
      c.Kind = TScriptCommand::Wait;
      c.A = number(0, 0, 100000000);
    } else if (verb == "network") {
      count(1);
      c.Kind = TScriptCommand::Network;
      c.A = number(0, 0, 600000);
    } else if (verb == "down" || verb == "up" || verb == "tap") {
      count(1);
      c.Kind = verb == "down" ? TScriptCommand::Down
               : verb == "up" ? TScriptCommand::Up
                              : TScriptCommand::Tap;
      c.A = ScriptKeyCode(args[0]);
      if (c.A < 0) fail("unknown key '" + args[0] + "'");
    } else if (verb == "type") {
      c.Kind = TScriptCommand::Type;
      // The rest of the line after the verb, as written (one space after the verb dropped).
      const auto at = line.find("type") + 4;
      c.Text = at < line.size() ? line.substr(at + 1) : "";
      if (c.Text.empty()) fail("'type' needs text");
    } else if (verb == "mouse") {
      count(2);
      c.Kind = TScriptCommand::Mouse;
      c.A = number(0, 0, 639);
      c.B = number(1, 0, 479);
    } else if (verb == "click") {
      if (args.size() != 2 && args.size() != 3) fail("'click' takes X Y [BUTTON]");
      c.Kind = TScriptCommand::Click;
      c.A = number(0, 0, 639);
      c.B = number(1, 0, 479);
      c.C = args.size() == 3 ? number(2, 0, 15) : 0;
    } else if (verb == "difficulty") {
      count(1);
      c.Kind = TScriptCommand::Difficulty;
      c.A = number(0, 1, 3);
    } else if (verb == "start") {
      count(1);
      c.Kind = TScriptCommand::Start;
      c.A = number(0, 1, LevelSetSize);
    } else if (verb == "shot") {
      count(1);
      c.Kind = TScriptCommand::Shot;
      c.Text = args[0];
    } else if (verb == "state") {
      count(0);
      c.Kind = TScriptCommand::State;
    } else {
      fail("unknown command '" + verb + "'");
    }
    out.push_back(c);
  }
  return out;
}
