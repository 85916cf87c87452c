#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/wide_text_windows.h"

namespace files {

namespace {

TWriteStepHook stepHook = nullptr;
TRetryHook retryHook = nullptr;

// An indexer or a virus scanner that has the old file open (without delete sharing) makes the
// move fail for a moment: it is tried again, every 50 ms for about two seconds.
constexpr int kMoveRetries = 40;
constexpr DWORD kMoveRetryMs = 50;

void Step(TWriteStep step) {
  if (stepHook) stepHook(step);
}

// The error of the last system call, as the C library names it (the same words as on Linux).
int LastErrno() {
  switch (GetLastError()) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    default:
      return EIO;
  }
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

// Writes, flushes and closes the temporary file; err tells what failed, `opened` whether the
// file was made.
bool WriteTemporary(const std::wstring& tmp, const std::string& bytes, bool& opened, int& err) {
  // A temporary file left by a save that was cut short goes first; CREATE_NEW then makes sure
  // the bytes go to a new file of ours.
  const DWORD attributes = GetFileAttributesW(tmp.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    DeleteFileW(tmp.c_str());
  const HANDLE file = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    err = LastErrno();
    return false;
  }
  opened = true;
  Step(TWriteStep::Opened);
  const size_t half = bytes.size() / 2;
  bool ok = WriteAll(file, bytes.data(), half);
  if (ok) Step(TWriteStep::HalfWritten);
  ok = ok && WriteAll(file, bytes.data() + half, bytes.size() - half);
  if (ok) Step(TWriteStep::Written);
  ok = ok && FlushFileBuffers(file);
  if (ok) Step(TWriteStep::Synced);
  if (!ok) err = LastErrno();
  if (!CloseHandle(file) && ok) {
    err = LastErrno();
    return false;
  }
  if (ok) Step(TWriteStep::Closed);
  return ok;
}

// Moves the temporary file over the target (write-through: the move is on the disk when the
// call returns, so there is no folder to flush afterwards as on Linux).
bool MoveOver(const std::wstring& tmp, const std::wstring& target) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(tmp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_LOCK_VIOLATION;
    if (!held || attempt > kMoveRetries) return false;
    if (retryHook) retryHook(attempt);
    Sleep(kMoveRetryMs);
    SetLastError(error);
  }
}

}  // namespace

void SetWriteStepHook(TWriteStepHook hook) {
  stepHook = hook;
}

void SetRetryHook(TRetryHook hook) {
  retryHook = hook;
}

bool WriteAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  const std::wstring target = wide::FromUtf8(path);
  const std::wstring tmp = target + L".tmp";
  bool opened = false;
  int err = 0;
  bool ok = WriteTemporary(tmp, bytes, opened, err);
  if (ok && !MoveOver(tmp, target)) {
    ok = false;
    err = LastErrno();
  }
  if (!ok) {
    if (error) *error = std::strerror(err ? err : EIO);
    // Only a file of ours is removed (the name might be taken by something else).
    if (opened) DeleteFileW(tmp.c_str());
    return false;
  }
  Step(TWriteStep::Renamed);
  Step(TWriteStep::FolderSynced);
  return true;
}

}  // namespace files
