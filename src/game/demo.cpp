// Demo playback: StartDemo, DemoStep and EndDemo.
#include "game/demo.h"

#include "actors/dragon.h"
#include "core/globals.h"
#include "core/random.h"
#include "core/sound.h"
#include "game/demo_file.h"
#include "game/in_out_error.h"
#include "game/level.h"
#include "game/main_form.h"
#include "platform/keys.h"

namespace {

TDemoTables demoTables;

// Every showing of a demo builds its level from this seed.
constexpr uint32_t DemoSeed = 12345;

// Fills the tables from the demo file. A missing file leaves them empty; a file that can't be
// used raises EInOutError before anything is stored.
void LoadDemos() {
  if (demoTables.DemoCount > 0) return;
  std::vector<TDemo> demos;
  try {
    demos = ReadDemoFile(DemoFilePath(), G.LevelCount);
  } catch (const EInOutError& e) {
    if (e.ErrorCode == EInOutError::ecFileNotFound) return;
    throw;
  }
  TDemoTables& t = demoTables;
  for (const TDemo& d : demos) {
    TDemoRecord& r = t.DemoRecord[static_cast<size_t>(++t.DemoCount)];
    r = TDemoRecord{};
    r.Level = d.Level;
    for (size_t s = 0; s < d.Steps.size(); ++s) r.Steps[s + 1] = d.Steps[s];
    r.Steps[d.Steps.size() + 1].KeyCode = 0;
  }
}

}  // namespace

void LoadDemosOnce() {
  LoadDemos();
}

TDemoTables& Demos() {
  return demoTables;
}

void ResetDemos() {
  demoTables.DemoCount = 0;
  demoTables.CurrentDemo = 0;
  demoTables.DemoStepIndex = 0;
}

std::string DemoFilePath() {
  return G.ProgramFolder + "DemoFree.dat";
}

void StartDemo() {
  LoadDemos();
  if (demoTables.DemoCount == 0) return;  // no file: the menu stays
  Randomize();
  StartDemoAt(static_cast<int32_t>(Random(static_cast<uint32_t>(demoTables.DemoCount))) + 1);
}

void StartDemoAt(int32_t number) {
  TDemoTables& t = demoTables;
  if (number < 1 || number > t.DemoCount) return;
  G.Lives = 3;
  G.Score = 0;
  // The player's difficulty is kept once, when the first demo of a showing starts.
  if (!G.DemoMode) t.SavedDifficulty = G.Difficulty;
  G.Difficulty = 1;
  t.CurrentDemo = number;
  G.LevelNo = t.DemoRecord[static_cast<size_t>(number)].Level;
  RandomState = DemoSeed;
  t.DemoStepIndex = 1;
  if (!G.DemoMode) PlayNextLevelMusic();
  G.DemoMode = true;
  LoadLevel();
  G.GameState = gsDemo;
}

void DemoStep() {
  TDemoTables& t = demoTables;
  if (t.CurrentDemo < 1 || t.CurrentDemo > t.DemoCount) return;
  if (t.DemoStepIndex < 1 || t.DemoStepIndex > MaxDemoSteps + 1) return;
  const TDemoStepRec& step =
      t.DemoRecord[static_cast<size_t>(t.CurrentDemo)].Steps[static_cast<size_t>(t.DemoStepIndex)];
  if (step.KeyCode == 0) return;  // the recording is over: the Dragon just stands
  if (step.Time > G.LevelTicks) return;
  if (!Dragon || Dragon->Hopping()) return;
  switch (step.KeyCode) {
    case vk::Left:
      RequestJump(-1, 0);
      break;
    case vk::Up:
      RequestJump(0, -1);
      break;
    case vk::Right:
      RequestJump(1, 0);
      break;
    case vk::Down:
      RequestJump(0, 1);
      break;
    default:
      return;  // not an arrow key: the demo makes no further move
  }
  ++t.DemoStepIndex;
}

void EndDemo() {
  G.DemoMode = false;
  G.Difficulty = demoTables.SavedDifficulty;
  Randomize();
  if (MainForm) MainForm->BackToMenu();
}
