#pragma once
#include <string>

namespace files {

// Writes bytes to path through a temporary file in the same folder ("<path>.tmp"): the file is
// written, flushed to the disk and closed, renamed over path, and the folder itself is flushed
// so that the new name survives a power cut. Path holds either its old or its new contents,
// never a part of them, whatever happens on the way. On failure the temporary file is removed,
// path is left as it was, and error (when given) says what went wrong.
bool WriteAtomically(const std::string& path, const std::string& bytes,
                     std::string* error = nullptr);

// The steps of WriteAtomically, for tests that stop a save half way.
enum class TWriteStep { Opened, HalfWritten, Written, Synced, Closed, Renamed, FolderSynced };
constexpr int kWriteStepCount = 7;
// Called after each step (nullptr: nothing is called).
using TWriteStepHook = void (*)(TWriteStep step);
void SetWriteStepHook(TWriteStepHook hook);

#ifdef _WIN32
// A target held open by another program (an indexer, a virus scanner) is waited for: the move
// over it is tried again for about two seconds before the save fails (Linux's rename never
// meets this). Called before each new try, with its number from 1 (nullptr: nothing is called).
using TRetryHook = void (*)(int attempt);
void SetRetryHook(TRetryHook hook);
#endif

// Called after every file written in full (nullptr: nothing is called); where files live in a
// store that must be told to keep them (the web browser's), it is told here.
using TSavedHook = void (*)(const std::string& path);
void SetSavedHook(TSavedHook hook);

}  // namespace files
