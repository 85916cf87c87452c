#include "tools/editor/pack_files.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "game/level_reader.h"
#include "game/replay.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace {

// The game's own level file and files that can't be written open read-only: Save As only.
bool ReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  if (paths::PathOf(path).filename() == "LevelsFree.dat") return true;
  std::error_code ec;
  const fs::perms p = fs::status(paths::PathOf(path), ec).permissions();
  return ec || (p & fs::perms::owner_write) == fs::perms::none;
}

std::string LevelKey(const TLevelRecord& level) {
  std::array<uint8_t, LevelRecordSize> bytes{};
  EncodeLevelRecord(level, bytes);
  char key[9];
  std::snprintf(key, sizeof key, "%08x",
                ReplayChecksum(std::string(bytes.begin(), bytes.end())));
  return key;
}

std::set<std::string> ReadKeys(const std::string& file) {
  std::set<std::string> keys;
  std::ifstream in(paths::PathOf(file));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() == 8) keys.insert(line);
  }
  return keys;
}

}  // namespace

bool TProofLog::Proved(const TLevelRecord& level) const {
  return ReadKeys(file_).count(LevelKey(level)) != 0;
}

bool TProofLog::Add(const TLevelRecord& level, std::string* error) {
  std::set<std::string> keys = ReadKeys(file_);
  if (!keys.insert(LevelKey(level)).second) return true;
  std::string text;
  for (const std::string& k : keys) text += k + "\n";
  paths::MakeFolders(paths::Utf8Of(paths::PathOf(file_).parent_path()));
  return files::WriteAtomically(file_, text, error);
}

std::vector<TPackEntry> ListPacks(const std::string& folder, const TProofLog& proofs) {
  std::vector<TPackEntry> packs;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(paths::PathOf(folder), ec)) {
    if (!entry.is_regular_file(ec) || entry.path().extension() != ".dat") continue;
    TPackEntry pack;
    pack.Path = paths::Utf8Of(entry.path());
    pack.Name = paths::Utf8Of(entry.path().stem());
    try {
      const TLevelReader reader(pack.Path);
      pack.Levels = reader.RecordCount();
      for (int32_t i = 1; i <= std::min(pack.Levels, LevelSetSize); ++i)
        if (proofs.Proved(reader.ReadRecord(i))) ++pack.Proved;
    } catch (const std::exception&) {
      pack.Levels = 0;
    }
    packs.push_back(std::move(pack));
  }
  std::sort(packs.begin(), packs.end(),
            [](const TPackEntry& a, const TPackEntry& b) { return a.Name < b.Name; });
  return packs;
}

std::string DescribePack(const TPackEntry& pack) {
  if (pack.Levels == 0) return pack.Name + ": can't be read";
  if (pack.Proved >= LevelSetSize) return pack.Name + ": proved";
  return pack.Name + ": " + std::to_string(pack.Proved) + " of " +
         std::to_string(LevelSetSize) + " levels proved";
}

std::string OpenPackFile(TEditorModel& model, const std::string& file) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(paths::PathOf(file), ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    model.StartNew(file);
    return "new pack: Save writes " + file;
  }
  model.Open(file, ReadOnly(file));
  const auto& messages = model.OpenMessages();
  std::string message = messages.empty() ? "opened " + file : messages.front();
  if (messages.size() > 1) message += " (and " + std::to_string(messages.size() - 1) + " more)";
  return message;
}
