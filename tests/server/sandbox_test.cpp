// The sandbox of the players the server runs on strangers' files: they write only in their own
// folder, open no socket, and stop at their limits.
#include "server/sandbox_run.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Sandbox, WritesOnlyInItsFolderOpensNoSocketAndStopsAtItsLimits) {
  TTempFolder outside;
  ASSERT_FALSE(outside.Path.empty());
  const std::string other = outside / "written";
  const struct {
    const char* What;
    std::string Script;
    TChildLimits Limits;
    int Exit;
    const char* Failure;
  } cases[] = {
      {"a file in its folder", "echo x > here && mkdir d && rm here", {}, 0, ""},
      {"a file elsewhere", "echo x > " + other, {}, 1, ""},
      {"a folder elsewhere", "mkdir " + other, {}, 1, ""},
      {"a socket", "exec 3<>/dev/tcp/127.0.0.1/9", {}, 1, ""},
      {"a loop", "while :; do :; done", {1, 1024, 60000}, -1, "took more than 1 s of processor time"},
      {"a wait", "sleep 30", {20, 1024, 300}, -1, "took more than 0 s"},
  };
  for (const auto& c : cases) {
    TTempFolder folder;
    const TSandboxRun run = RunInSandbox({"/bin/bash", "-c", c.Script}, folder.Path, c.Limits);
    EXPECT_EQ(run.Failure(c.Limits), c.Failure) << c.What;
    if (c.Exit >= 0) {
      EXPECT_EQ(run.Exit == 0, c.Exit == 0) << c.What << ": " << run.Error;
    }
    EXPECT_FALSE(std::filesystem::exists(other)) << c.What;
  }
}

}  // namespace
