#include "tools/editor/recovery.h"

#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/paths.h"

std::string TRecovery::FileFor(const std::string& path) const {
  if (path.empty()) return folder_ + "new-pack.dat";
  // The whole path in the name, so that two packs of one name in two folders keep apart.
  std::string name = std::filesystem::absolute(paths::PathOf(path)).lexically_normal().string();
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':') c = '%';
  }
  return folder_ + name;
}

bool TRecovery::Exists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(paths::PathOf(FileFor(path)), ec);
}

bool TRecovery::Keep(const TEditorModel& model, const std::string& path) {
  if (!paths::MakeFolders(folder_)) return false;
  return files::WriteAtomically(FileFor(path), model.FileBytes());
}

void TRecovery::Drop(const std::string& path) const {
  std::error_code ec;
  std::filesystem::remove(paths::PathOf(FileFor(path)), ec);
}

void TRecovery::Restore(TEditorModel& model, const std::string& path, bool readOnly) const {
  const std::string pack = path;  // path may be the model's own, which Open changes
  model.Open(FileFor(pack), false);
  model.AdoptPath(pack, readOnly);
}
