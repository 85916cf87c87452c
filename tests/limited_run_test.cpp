// A program run with limits: its input given, its output kept, and its end told apart when it
// ran over its processor time, its time on the clock or its memory.
#include "platform/limited_run.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(LimitedRun, GivesInputKeepsOutputAndStopsAProgramOverItsLimits) {
  TRunLimits none;
  const TRunResult echo = RunWithLimits({"/bin/cat"}, std::string(200000, 'x'), none);
  EXPECT_TRUE(echo.Started);
  EXPECT_EQ(echo.ExitStatus, 0);
  EXPECT_EQ(echo.Output, std::string(200000, 'x'));  // more than a pipe holds, both ways

  TRunLimits cpu;
  cpu.CpuSeconds = 1;
  const TRunResult spin = RunWithLimits({"/bin/sh", "-c", "while :; do :; done"}, "", cpu);
  EXPECT_TRUE(spin.OverCpu);
  EXPECT_FALSE(spin.OverWall);
  EXPECT_GE(spin.CpuSeconds, 0.9);

  TRunLimits wall;
  wall.WallMs = 200;
  const TRunResult sleeper = RunWithLimits({"/bin/sleep", "10"}, "", wall);
  EXPECT_TRUE(sleeper.OverWall);
  EXPECT_EQ(sleeper.Signal, SIGKILL);
  EXPECT_LT(sleeper.WallSeconds, 5.0);

  // A flood of output is read to its end but kept only up to OutputBytes.
  const TRunResult flood = RunWithLimits({"/usr/bin/head", "-c", "3000000", "/dev/zero"}, "", none);
  EXPECT_EQ(flood.ExitStatus, 0);
  EXPECT_EQ(flood.Output.size(), none.OutputBytes);

  const TRunResult missing = RunWithLimits({"/nonexistent/program"}, "", none);
  EXPECT_FALSE(missing.Error.empty());
}

}  // namespace
