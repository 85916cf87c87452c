#pragma once
#include <string>

namespace files {

// Writes bytes to path through a temporary file in the same folder ("<path>.tmp") that is
// flushed to disk and then renamed over path, so path holds either its old or its new contents,
// never a part of them. On failure the temporary file is removed, path is left as it was, and
// error (when given) says what went wrong.
bool WriteAtomically(const std::string& path, const std::string& bytes,
                     std::string* error = nullptr);

}  // namespace files
