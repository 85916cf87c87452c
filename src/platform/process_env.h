#pragma once
#include <string>

// The process's environment and temporary folders, for the tools and the tests.
namespace process {

// Sets an environment variable (kept as it is when it is set and overwrite is false).
void SetEnvironment(const std::string& name, const std::string& value, bool overwrite = true);
// Makes a new, empty folder in `under` (by default the system's temporary folder), its name
// starting with prefix; returns its path (no trailing separator), "" when it cannot be made.
std::string MakeTemporaryFolder(const std::string& prefix, const std::string& under = "");
// A folder in memory for scratch files ("/dev/shm" on Linux), "" where there is none.
std::string MemoryFolder();
// Standard output as bytes (Windows would turn every "\n" into "\r\n").
void BinaryStandardOutput();
// Standard input read byte for byte (Windows would turn \r\n into \n).
void BinaryStandardInput();

}  // namespace process
