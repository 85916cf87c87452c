#include "platform/process_env.h"

#include <cstdlib>
#include <filesystem>

namespace process {

void SetEnvironment(const std::string& name, const std::string& value, bool overwrite) {
  ::setenv(name.c_str(), value.c_str(), overwrite ? 1 : 0);
}

std::string MakeTemporaryFolder(const std::string& prefix, const std::string& under) {
  std::error_code ec;
  std::filesystem::path base =
      under.empty() ? std::filesystem::temp_directory_path(ec) : std::filesystem::path(under);
  if (ec) base = "/tmp";
  std::string pattern = (base / (prefix + "XXXXXX")).string();
  return ::mkdtemp(pattern.data()) ? pattern : "";
}

std::string MemoryFolder() {
  std::error_code ec;
  return std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : "";
}

void BinaryStandardOutput() {}

void BinaryStandardInput() {}

}  // namespace process
