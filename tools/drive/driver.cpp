#include "tools/drive/driver.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "core/globals.h"
#include "game/rules.h"
#include "game/world_scores.h"
#include "media/png_writer.h"

void THeadlessDriver::Run(const std::vector<TScriptCommand>& script, std::ostream& out) {
  for (const TScriptCommand& c : script) {
    if (Closed()) break;
    Execute(c, out);
  }
}

void THeadlessDriver::Execute(const TScriptCommand& c, std::ostream& out) {
  switch (c.Kind) {
    case TScriptCommand::Frames:
      for (int32_t i = 0; i < c.A && !Closed(); ++i) Step();
      break;
    case TScriptCommand::Wait: {
      const uint32_t start = VirtualClock().Now();
      while (VirtualClock().Now() - start < static_cast<uint32_t>(c.A) && !Closed()) Step();
      break;
    }
    case TScriptCommand::Network: {
      // The answers come on the server's time, not the virtual clock's.
      const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(c.A);
      while (world::WorkLeft() && !Closed() &&
             std::chrono::steady_clock::now() < until) {
        Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      break;
    }
    case TScriptCommand::Down:
      KeyDown(c.A);
      break;
    case TScriptCommand::Up:
      KeyUp(c.A);
      break;
    case TScriptCommand::Tap:
      Tap(c.A);
      break;
    case TScriptCommand::Type:
      Type(c.Text);
      break;
    case TScriptCommand::Mouse:
      MovePointer(c.A, c.B);
      break;
    case TScriptCommand::Click:
      Click(c.A, c.B, c.C);
      break;
    case TScriptCommand::Difficulty:
      G.Difficulty = c.A;
      break;
    case TScriptCommand::Start:
      G.MaxLevel = std::max(G.MaxLevel, c.A);
      NewGame(c.A);
      break;
    case TScriptCommand::Shot:
      if (!WritePng(Picture(), c.Text))
        throw std::runtime_error("line " + std::to_string(c.Line) + ": cannot write " + c.Text);
      break;
    case TScriptCommand::State:
      out << StateJson() << "\n";
      out.flush();
      break;
  }
}
