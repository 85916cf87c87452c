#include "platform/atomic_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace files {

bool WriteAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  const std::string tmp = path + ".tmp";
  int err = 0;
  FILE* f = std::fopen(tmp.c_str(), "wb");
  bool ok = f != nullptr;
  if (!f) err = errno;
  if (f) {
    ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (fsync(fileno(f)) == 0) && ok;
    if (!ok) err = errno;
    if (std::fclose(f) != 0 && ok) {
      ok = false;
      err = errno;
    }
  }
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
      ok = false;
      err = ec.value();
    }
  }
  if (!ok) {
    if (error) *error = std::strerror(err ? err : EIO);
    // Only a file of ours is removed (the name might be taken by something else).
    if (f) std::filesystem::remove(tmp, ec);
  }
  return ok;
}

}  // namespace files
