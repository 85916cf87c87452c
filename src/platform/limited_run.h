#pragma once

// Whether this build runs under AddressSanitizer, which reserves far more address space than it
// uses, so that no limit of the address space can be set on its programs.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A program run to its end with limits, its standard input given and its output kept: for
// work on files from strangers (checking a replay sent in) that must not take the caller down.
struct TRunLimits {
  int32_t CpuSeconds = 0;        // processor time; the program is killed beyond it (0 = none)
  int64_t MemoryBytes = 0;       // address space (0 = none)
  int32_t WallMs = 0;            // time on the clock; the program is killed beyond it (0 = none)
  size_t OutputBytes = 1 << 20;  // standard output kept (the rest is read and dropped)
};

struct TRunResult {
  bool Started = false;
  std::string Error;                // why it did not start
  int ExitStatus = -1;              // when it exited
  int Signal = 0;                   // when a signal ended it
  bool OverCpu = false;             // ended for its processor time
  bool OverWall = false;            // killed for its time on the clock
  std::string Output, ErrorOutput;  // standard output and error (the error's first 4 KiB)
  double CpuSeconds = 0;            // processor time it took (user and system)
  double WallSeconds = 0;
  int64_t MaxResidentKb = 0;
};

// Starts args[0] with the arguments after it, writes input to its standard input (then closes
// it), reads its output and waits for its end.
TRunResult RunWithLimits(const std::vector<std::string>& args, std::string_view input,
                         const TRunLimits& limits);
