#pragma once
#include <cstdint>
#include <string>

// What a child that plays strangers' files may use.
struct TChildLimits {
  int32_t CpuSeconds = 20;  // processor time
  int32_t MemoryMb = 1024;  // address space
  int32_t WallMs = 60000;   // time on the clock
};

// Called in a child after fork, before exec: processor and memory limits; a Landlock ruleset
// under which nothing is written, made or removed outside folder; a seccomp filter under which
// no socket can be made. Where the kernel has no Landlock, the filter refuses every write to a
// file instead. False when a limit could not be put in place (the child must then not go on).
// Only async-signal-safe calls.
bool EnterSandbox(const TChildLimits& limits, const char* folder);
