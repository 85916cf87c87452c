// The level editor's packs: a file named on the command line that is not there yet, the packs'
// list of Ctrl+O with the levels proved, and how a try in the game window ended.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/level_set.h"
#include "support/level_files.h"
#include "tools/editor/editor_model.h"
#include "tools/editor/pack_files.h"
#include "tools/editor/try_outcome.h"

namespace {

TEST(EditorPacks, AFileNamedThatIsNotThereYetIsANewPackSavedThere) {
  level_files::TTempFolder dir;
  const std::string file = dir.Folder() + "winter.dat";
  TEditorModel m;
  EXPECT_EQ(OpenPackFile(m, file), "new pack: Save writes " + file);
  EXPECT_EQ(m.Path(), file);
  EXPECT_FALSE(m.ReadOnly());
  EXPECT_EQ(m.LevelAt(0), TEditorModel::EmptyPond());
  m.PlaceDragon(2, 2);
  std::string error;
  ASSERT_TRUE(m.Save(&error)) << error;
  ASSERT_TRUE(std::filesystem::exists(file));

  // Opened again: the pack as saved; the game's own levels stay read-only.
  TEditorModel again;
  EXPECT_EQ(OpenPackFile(again, file), "opened " + file);
  EXPECT_EQ(again.Level(), m.Level());
  EXPECT_FALSE(again.ReadOnly());
  OpenPackFile(again, std::string(TARVELLE_BUILD_DIR) + "/LevelsFree.dat");
  EXPECT_TRUE(again.ReadOnly());
}

TEST(EditorPacks, TheListSaysWhichPacksAreProved) {
  level_files::TTempFolder dir;
  std::vector<TLevelRecord> levels(LevelSetSize, level_files::Islands());
  dir.Write("party.dat", level_files::Bytes(levels));
  levels[4] = level_files::Islands(5, 2);
  dir.Write("almost.dat", level_files::Bytes(levels));
  dir.Write("broken.dat", {1, 2, 3});
  dir.Write("notes.txt", {'x'});
  TProofLog proofs(dir.Folder() + "log/proofs.txt");
  EXPECT_FALSE(proofs.Proved(level_files::Islands()));
  std::string error;
  ASSERT_TRUE(proofs.Add(level_files::Islands(), &error)) << error;
  ASSERT_TRUE(proofs.Add(level_files::Islands(), &error));  // once is enough
  EXPECT_TRUE(TProofLog(dir.Folder() + "log/proofs.txt").Proved(level_files::Islands()));

  std::vector<std::string> seen;
  for (const TPackEntry& p : ListPacks(dir.Folder(), proofs)) seen.push_back(DescribePack(p));
  EXPECT_EQ(seen, (std::vector<std::string>{"almost: 14 of 15 levels proved",
                                            "broken: can't be read", "party: proved"}));
  EXPECT_TRUE(ListPacks(dir.Folder() + "none/", proofs).empty());
}

TEST(EditorPacks, TheEndOfATryIsToldByHowItEnded) {
  struct Case {
    std::vector<std::string> Lines;
    int Status;
    const char* Told;
    bool Bad;
  };
  for (const Case& c : {
           Case{{"renderer: software", "try: won"}, 0, "the try ended: the level was won", false},
           Case{{"try: lost"}, 0, "the try ended: the level was lost (no lives left)", true},
           Case{{}, 0, "the try ended: the level was left before its end", false},
           Case{{}, 3, "the try ended: the game stopped on an error (exit status 3)", true},
       }) {
    bool bad = !c.Bad;
    EXPECT_EQ(TryOutcome(c.Lines, c.Status, bad), c.Told);
    EXPECT_EQ(bad, c.Bad) << c.Told;
  }
}

}  // namespace
