#include "tools/demos/demo_text.h"

#include <charconv>
#include <sstream>

#include "platform/keys.h"

namespace {

const char* const ArrowNames[] = {"left", "up", "right", "down"};

bool ParseInt(const std::string& s, int64_t lo, int64_t hi, int64_t& out) {
  const auto [p, err] = std::from_chars(s.data(), s.data() + s.size(), out);
  return err == std::errc() && p == s.data() + s.size() && out >= lo && out <= hi;
}

}  // namespace

std::string DemoKeyName(uint8_t key) {
  return key >= vk::Left && key <= vk::Down ? ArrowNames[key - vk::Left] : std::to_string(key);
}

std::vector<TDemoSource> ParseDemoText(const std::string& text, const std::string& name) {
  std::vector<TDemoSource> out;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  bool open = false;
  auto fail = [&](const std::string& what) {
    throw EDemoTextError(name + ":" + std::to_string(lineNo) + ": " + what);
  };
  while (std::getline(in, line)) {
    ++lineNo;
    // Line ends of any system, even "\r\r\n" from a twice-converted file.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first[0] == '#') continue;
    if (first == "Demo") {
      if (open) fail("Demo inside a demo (End missing)");
      std::string level;
      int64_t n = 0;
      if (!(words >> level) || !ParseInt(level, 1, 65535, n)) fail("Demo needs a level number");
      out.push_back({});
      out.back().Demo.Level = static_cast<int32_t>(n);
      open = true;
    } else if (first == "End") {
      if (!open) fail("End without Demo");
      open = false;
    } else if (first == "Note") {
      if (!open) fail("Note outside a demo");
      std::string rest;
      std::getline(words >> std::ws, rest);
      out.back().Notes.push_back(rest);
    } else {
      if (!open) fail("a step outside a demo");
      int64_t time = 0, code = -1;
      if (!ParseInt(first, INT32_MIN, INT32_MAX, time)) fail("'" + first + "' is not a time");
      std::string key;
      if (!(words >> key)) fail("a step needs a key");
      for (int k = 0; k < 4; ++k)
        if (key == ArrowNames[k]) code = vk::Arrow(k);
      if (code < 0 && !ParseInt(key, 0, 255, code)) fail("'" + key + "' is not a key");
      if (out.back().Demo.Steps.size() >= MaxDemoSteps)
        fail("more than " + std::to_string(MaxDemoSteps) + " steps");
      out.back().Demo.Steps.push_back({static_cast<int32_t>(time), static_cast<uint8_t>(code)});
    }
  }
  if (open) fail("End missing");
  return out;
}

std::string FormatDemoText(const std::vector<TDemoSource>& demos) {
  std::ostringstream s;
  s << "# Demos of Tarvelle, compiled into DemoFree.dat by tarvelle-demos.\n"
       "# Each step: the level clock (ms) from which the key may be applied, and the key.\n";
  for (const TDemoSource& d : demos) {
    s << "\nDemo " << d.Demo.Level << "\n";
    for (const std::string& n : d.Notes) s << "Note " << n << "\n";
    for (const TDemoStepRec& st : d.Demo.Steps)
      s << st.Time << " " << DemoKeyName(st.KeyCode) << "\n";
    s << "End\n";
  }
  return s.str();
}
