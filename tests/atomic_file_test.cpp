// Saves through a temporary file, on every system the game runs on: at each step of a save the
// file holds its old contents or its new ones whole, bytes go in unchanged ("\n" stays one byte
// on Windows too), a save replaces a file of its own, and a save that cannot be done leaves
// the old file and no temporary one. (Saves killed half way: nothing_lost_test.cpp, Linux.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/process_env.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& file) {
  std::ifstream in(paths::PathOf(file), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // A name with a space and letters beyond ASCII, as a Windows user name may have.
    folder = process::MakeTemporaryFolder("tarvelle atomic \xC3\xB6\xC3\xA9-");
    ASSERT_NE(folder, "");
    file = folder + "/Hiscore.dat";
  }
  void TearDown() override {
    files::SetWriteStepHook(nullptr);
    std::error_code ec;
    fs::remove_all(paths::PathOf(folder), ec);
  }
  std::string folder, file;
};

std::string seenFile, oldBytes, newBytes;
std::string seen;  // per step: 'o' old whole, 'n' new whole, '?' anything else

TEST_F(AtomicFile, AtEveryStepTheFileIsOldOrNewWhole) {
  oldBytes = std::string("old\r\n\n\x1A\0 scores", 16);
  newBytes = std::string(5000, 'n') + "\n\x1A\r";
  ASSERT_TRUE(files::WriteAtomically(file, oldBytes));
  seenFile = file;
  seen.clear();
  files::SetWriteStepHook([](files::TWriteStep) {
    const std::string now = ReadAll(seenFile);
    seen += now == oldBytes ? 'o' : now == newBytes ? 'n' : '?';
  });
  std::string error;
  ASSERT_TRUE(files::WriteAtomically(file, newBytes, &error)) << error;
  EXPECT_EQ(seen, "ooooonn");  // opened .. closed: old; renamed, folder flushed: new
  EXPECT_EQ(ReadAll(file), newBytes);
  EXPECT_FALSE(fs::exists(paths::PathOf(file + ".tmp")));
}

TEST_F(AtomicFile, ALeftoverTemporaryFileIsReplaced) {
  std::ofstream(paths::PathOf(file + ".tmp"), std::ios::binary) << "from a save cut short";
  ASSERT_TRUE(files::WriteAtomically(file, "new"));
  ASSERT_TRUE(files::WriteAtomically(file, "newer"));
  EXPECT_EQ(ReadAll(file), "newer");
  EXPECT_FALSE(fs::exists(paths::PathOf(file + ".tmp")));
}

TEST_F(AtomicFile, ASaveThatCannotBeDoneLeavesTheOldFile) {
  ASSERT_TRUE(files::WriteAtomically(file, "old"));
  struct TCase {
    const char* What;
    std::string Path;
  };
  // A folder where the temporary file would go; a folder that is not there.
  fs::create_directory(paths::PathOf(file + ".tmp"));
  for (const TCase& c : {TCase{"temporary name taken by a folder", file},
                         TCase{"missing folder", folder + "/no such folder/Hiscore.dat"}}) {
    SCOPED_TRACE(c.What);
    std::string error;
    EXPECT_FALSE(files::WriteAtomically(c.Path, "new", &error));
    EXPECT_NE(error, "");
  }
  EXPECT_EQ(ReadAll(file), "old");
  EXPECT_TRUE(fs::is_directory(paths::PathOf(file + ".tmp")));  // not ours: left alone
}

}  // namespace
