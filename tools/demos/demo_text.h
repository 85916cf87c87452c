#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "game/demo_file.h"

// The readable source of the demo file:
//
//   Demo <level>
//   Note <what the demo shows>        (optional, any number of lines)
//   <LevelTicks ms> left|up|right|down|<key code>
//   ...
//   End
//
// '#' starts a comment line.
struct TDemoSource {
  TDemo Demo;
  std::vector<std::string> Notes;
};

class EDemoTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises EDemoTextError "name:line: what is wrong".
std::vector<TDemoSource> ParseDemoText(const std::string& text, const std::string& name);
std::string FormatDemoText(const std::vector<TDemoSource>& demos);
// "right" for 39, the number for a key that is not an arrow.
std::string DemoKeyName(uint8_t key);
