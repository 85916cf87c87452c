#include "platform/child_process.h"

// Programs beside the game are not run on Windows yet: the level editor is built for Linux.
struct TChildProcess::TImpl {};

TChildProcess::TChildProcess() : impl_(std::make_unique<TImpl>()) {}
TChildProcess::~TChildProcess() = default;

bool TChildProcess::Start(const std::vector<std::string>&, std::string* error) {
  if (error) *error = "not on this system";
  return false;
}
bool TChildProcess::ReadLine(std::string&) {
  return false;
}
bool TChildProcess::Running() {
  return false;
}
void TChildProcess::Stop() {}
