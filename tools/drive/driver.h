#pragma once
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "front/app_loop.h"
#include "front/input.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "tools/drive/script.h"

struct TDriverOptions {
  std::string Data;  // the game folder; "" = the executable's
  std::string Home;  // per-user root; "" = a new empty temporary folder, removed afterwards
  int32_t FrameMs = 16;
  uint32_t Seed = 1;
  int32_t Depth = 32;
  IVideoOutput* Video = nullptr;  // a window of the caller's instead of SDL's (not owned)
};

// Runs the real game from the game window on, without a window on screen, on a virtual clock.
class THeadlessDriver {
 public:
  explicit THeadlessDriver(const TDriverOptions& options);
  ~THeadlessDriver();

  // Runs the commands in order; `state` lines go to out. Raises std::runtime_error when a
  // picture can't be written.
  void Run(const std::vector<TScriptCommand>& script, std::ostream& out);
  // One frame: the virtual clock moves on by the frame's time, then one pass of the loop.
  void RunFrame();
  std::string StateJson() const;

  TMainForm& Form() { return *form_; }
  TApplication& App() { return *app_; }
  TVirtualClock& VirtualClock() { return clock_; }

 private:
  void Execute(const TScriptCommand& c, std::ostream& out);

  TDriverOptions options_;
  std::string tempHome_;
  mutable TVirtualClock clock_;
  std::unique_ptr<IVideoOutput> ownVideo_;
  IVideoOutput* video_ = nullptr;
  std::unique_ptr<TMainForm> form_;
  std::unique_ptr<TApplication> app_;
};
