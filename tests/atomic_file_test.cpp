// Saves through a temporary file, on every system the game runs on: at each step of a save the
// file holds its old contents or its new ones whole, bytes go in unchanged ("\n" stays one byte
// on Windows too), a save replaces a file of its own, and a save that cannot be done leaves
// the old file and no temporary one. (Saves killed half way: nothing_lost_test.cpp, Linux.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32
// An indexer or a virus scanner holds the file open without delete sharing while the game saves
// over it: the save waits for it to let go, and fails (saying so) only when it never does.
HANDLE heldFile = INVALID_HANDLE_VALUE;
int triesSeen = 0;

TEST_F(AtomicFile, AFileHeldOpenByAnotherProgramIsWaitedFor) {
  ASSERT_TRUE(files::WriteAtomically(file, "old"));
  const auto hold = [&] {
    return CreateFileW(paths::PathOf(file).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  // Let go after the third try.
  heldFile = hold();
  ASSERT_NE(heldFile, INVALID_HANDLE_VALUE);
  triesSeen = 0;
  files::SetRetryHook([](int attempt) {
    triesSeen = attempt;
    if (attempt == 3) {
      CloseHandle(heldFile);
      heldFile = INVALID_HANDLE_VALUE;
    }
  });
  std::string error;
  EXPECT_TRUE(files::WriteAtomically(file, "new", &error)) << error;
  EXPECT_EQ(triesSeen, 3);
  EXPECT_EQ(ReadAll(file), "new");

  // Never let go: the save fails with a reason, the old file and no temporary one stay.
  heldFile = hold();
  ASSERT_NE(heldFile, INVALID_HANDLE_VALUE);
  files::SetRetryHook([](int attempt) { triesSeen = attempt; });
  EXPECT_FALSE(files::WriteAtomically(file, "newer", &error));
  EXPECT_NE(error, "");
  EXPECT_GT(triesSeen, 3);
  CloseHandle(heldFile);
  files::SetRetryHook(nullptr);
  EXPECT_EQ(ReadAll(file), "new");
  EXPECT_FALSE(fs::exists(paths::PathOf(file + ".tmp")));
}
#endif

}  // namespace
