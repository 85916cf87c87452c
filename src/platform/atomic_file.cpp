#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace files {

namespace {

TWriteStepHook stepHook = nullptr;
TSavedHook savedHook = nullptr;

void Step(TWriteStep step) {
  if (stepHook) stepHook(step);
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes, flushes and closes the temporary file; errno tells what failed, `opened` whether the
// file was made.
bool WriteTemporary(const std::string& tmp, const std::string& bytes, bool& opened) {
  // A temporary file left by a save that was cut short goes first. Opening with O_EXCL and
  // O_NOFOLLOW then makes sure the bytes go to a new file of ours, never through a link.
  struct stat st {};
  if (::lstat(tmp.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(tmp.c_str());
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  opened = true;
  Step(TWriteStep::Opened);
  const size_t half = bytes.size() / 2;
  bool ok = WriteAll(fd, bytes.data(), half);
  if (ok) Step(TWriteStep::HalfWritten);
  ok = ok && WriteAll(fd, bytes.data() + half, bytes.size() - half);
  if (ok) Step(TWriteStep::Written);
  ok = ok && ::fsync(fd) == 0;
  if (ok) Step(TWriteStep::Synced);
  const int err = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = err;
  if (ok) Step(TWriteStep::Closed);
  return ok;
}

}  // namespace

void SetWriteStepHook(TWriteStepHook hook) {
  stepHook = hook;
}

void SetSavedHook(TSavedHook hook) {
  savedHook = hook;
}

bool WriteAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  const std::string tmp = path + ".tmp";
  bool opened = false;
  bool ok = WriteTemporary(tmp, bytes, opened);
  int err = errno;
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    if (error) *error = std::strerror(err ? err : EIO);
    // Only a file of ours is removed (the name might be taken by something else).
    if (opened) ::unlink(tmp.c_str());
    return false;
  }
  Step(TWriteStep::Renamed);
  // The rename is an entry of the folder: flush the folder too. Some file systems refuse to
  // flush a folder; the file is in place by then, so that is not a failure of the save.
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  Step(TWriteStep::FolderSynced);
  if (savedHook) savedHook(path);
  return true;
}

}  // namespace files
