// The demo file "DemoFree.dat": any file either loads into the demo tables, each demo of a
// level the game has and ended by its mark, or raises the input/output error that names the
// file; a file that loads writes back to the same demos, and its first demo starts and plays
// its steps on the real levels.
#include "game/demo_file.h"

#include <filesystem>
#include <string>

#include "actors/sprite_tree.h"
#include "core/random.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/level_world.h"
#include "game/demo.h"
#include "game/in_out_error.h"

namespace {

// A folder holding the game's own level file beside the demo file under test.
std::string DemoFolder(const std::string& levelsFolder) {
  const std::string folder = fuzz::ScratchFolder() + "demo-data/";
  std::filesystem::create_directories(folder);
  std::error_code ec;
  std::filesystem::create_symlink(levelsFolder + "LevelsFree.dat", folder + "LevelsFree.dat", ec);
  // Where links need rights the user may not have (Windows), a copy.
  if (ec)
    std::filesystem::copy_file(levelsFolder + "LevelsFree.dat", folder + "LevelsFree.dat",
                               std::filesystem::copy_options::overwrite_existing, ec);
  return folder;
}

bool SameDemos(const std::vector<TDemo>& a, const std::vector<TDemo>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].Level != b[i].Level || a[i].Steps.size() != b[i].Steps.size()) return false;
    for (size_t s = 0; s < a[i].Steps.size(); ++s)
      if (a[i].Steps[s].Time != b[i].Steps[s].Time ||
          a[i].Steps[s].KeyCode != b[i].Steps[s].KeyCode)
        return false;
  }
  return true;
}

}  // namespace

TARVELLE_FUZZ_TARGET(demo_file) {
  static fuzz::TLevelWorld world(false);  // no display: nothing is drawn
  static const std::string folder = DemoFolder(world.Start.ProgramFolder);
  fuzz::WriteFile(folder + "DemoFree.dat", data, size);
  G = world.Start;
  SetClock(&world.Clock);
  G.ProgramFolder = folder;
  ResetDemos();

  std::vector<TDemo> demos;
  try {
    demos = ReadDemoFile(DemoFilePath(), G.LevelCount);
  } catch (const EInOutError& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("DemoFree.dat"), "error without the file");
    try {
      LoadDemosOnce();
      fuzz::Fail("the game loaded a file the reader refused");
    } catch (const EInOutError&) {
    }
    fuzz::Check(Demos().DemoCount == 0, "a refused file left demos behind");
    SetClock(nullptr);
    return;
  }
  fuzz::Check(!demos.empty() && demos.size() <= MaxDemos, "demo count");
  fuzz::Check(SameDemos(ParseDemoFile(EncodeDemoFile(demos), "DemoFree.dat", G.LevelCount), demos),
              "the demos do not write back as they were read");

  LoadDemosOnce();
  const TDemoTables& t = Demos();
  fuzz::Check(t.DemoCount == static_cast<int32_t>(demos.size()), "tables hold another count");
  for (int32_t n = 1; n <= t.DemoCount; ++n) {
    const TDemoRecord& r = t.DemoRecord[static_cast<size_t>(n)];
    fuzz::Check(r.Level >= 1 && r.Level <= G.LevelCount, "level out of range");
    fuzz::Check(r.Steps[demos[static_cast<size_t>(n - 1)].Steps.size() + 1].KeyCode == 0,
                "a demo without its end mark");
  }

  // The first demo starts on its level and walks its steps as the level clock passes them.
  G.GameState = gsMenu;
  StartDemoAt(1);
  fuzz::Check(G.GameState == gsDemo && G.DemoMode, "the demo did not start");
  for (const TDemoStepRec& step : demos.front().Steps) {
    G.LevelTicks = step.Time;
    DemoStep();
    fuzz::Check(t.DemoStepIndex >= 1 && t.DemoStepIndex <= MaxDemoSteps + 1, "step index");
  }
  G.DemoMode = false;
  ClearAllSprites();
  ResetDemos();
  SetClock(nullptr);
}
