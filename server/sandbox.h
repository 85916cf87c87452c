#pragma once
#include <cstdint>
#include <string>

// What a child that plays strangers' files may use.
struct TChildLimits {
  int32_t CpuSeconds = 20;  // processor time
  int32_t MemoryMb = 1024;  // address space
  int32_t WallMs = 60000;   // time on the clock
};

// Called in a child after fork, before exec: processor and memory limits, and (Linux) a seccomp
// filter under which no socket can be made and no file opened for writing, made, renamed or
// removed. False when the filter could not be put in place (the child must then not go on).
bool EnterSandbox(const TChildLimits& limits);
