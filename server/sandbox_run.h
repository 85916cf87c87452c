#pragma once
#include <string>
#include <vector>

#include "server/sandbox.h"

// How a sandboxed child ended.
struct TSandboxRun {
  bool Started = false;
  bool OverWall = false;
  int Signal = 0;      // the signal that ended it, 0 when it exited
  int Exit = -1;       // its exit status when it exited
  double CpuSeconds = 0;
  std::string Out;     // its standard output (the first 64 KiB)
  std::string Error;   // the last line of its standard error
  // A sentence for a child that did not end by itself ("took more than 20 s ...").
  std::string Failure(const TChildLimits& limits) const;
};

// Runs args[0] with the arguments after it in folder, in the sandbox, within the limits.
TSandboxRun RunInSandbox(const std::vector<std::string>& args, const std::string& folder,
                         const TChildLimits& limits);

// A temporary folder, removed with everything in it; Path is empty when none could be made.
struct TTempFolder {
  std::string Path;
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  bool Write(const std::string& name, const std::string& bytes) const;
  std::string operator/(const std::string& name) const { return Path + "/" + name; }
};
