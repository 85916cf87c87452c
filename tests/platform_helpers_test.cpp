// The platform's small helpers that stand in for calls to the system elsewhere: whether an open
// file is a plain file, a library loaded while the program runs, names compared without case.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "game/in_out_error.h"
#include "game/level_reader.h"
#include "platform/paths.h"
#include "platform/shared_library.h"
#include "platform/text_case.h"
#include "support/level_files.h"

namespace {

TEST(PlatformHelpers, SameIgnoringCaseFoldsAsciiLettersOnly) {
  const struct {
    const char *A, *B;
    bool Same;
  } cases[] = {
      {"Exit", "exit", true},    {"MEGAPRIZE", "MegaPrize", true}, {"", "", true},
      {"Exit", "Exits", false},  {"Exit", "", false},              {"[", "{", false},
      {"\xC9t\xE9", "\xC9T\xE9", true},  // beyond ASCII the bytes must match: é stays é
      {"\xC9t\xE9", "\xE9t\xE9", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::SameIgnoringCase(c.A, c.B), c.Same) << c.A << " / " << c.B;
    EXPECT_EQ(text::SameIgnoringCase(c.B, c.A), c.Same) << c.B << " / " << c.A;
  }
}

TEST(PlatformHelpers, AFolderInPlaceOfTheLevelFileIsRefused) {
  level_files::TTempFolder folder;
  folder.Write("plain.dat", {1, 2, 3});
  std::FILE* f = paths::OpenFile(folder.Folder() + "plain.dat", "rb");
  ASSERT_TRUE(f);
  EXPECT_TRUE(paths::IsPlainFile(f));
  std::fclose(f);

  ASSERT_TRUE(paths::MakeFolders(folder.Folder() + "LevelsFree.dat"));
  try {
    TLevelReader(folder.Folder() + "LevelsFree.dat").RecordCount();
    FAIL() << "a folder was read as levels";
  } catch (const EInOutError& e) {
    // Linux opens the folder and sees what it is; Windows does not open it at all.
    EXPECT_TRUE(e.ErrorCode == EInOutError::ecReadFailed ||
                e.ErrorCode == EInOutError::ecFileNotFound)
        << e.what();
  }
}

TEST(PlatformHelpers, ALibraryLoadedWhileRunning) {
#ifdef _WIN32
  const char *present = "kernel32.dll", *function = "GetTickCount";
#else
  const char *present = "libc.so.6", *function = "strlen";
#endif
  TSharedLibrary lib(present);
  ASSERT_TRUE(lib.Loaded());
  EXPECT_NE(lib.Symbol(function), nullptr);
  EXPECT_EQ(lib.Symbol("tarvelle_no_such_function"), nullptr);

  TSharedLibrary missing("tarvelle-no-such-library.so");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_EQ(missing.Symbol(function), nullptr);
}

}  // namespace
