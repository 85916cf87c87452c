#include "front/high_scores.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/globals.h"
#include "front/records_window.h"
#include "front/screen_calls.h"
#include "game/level_pack.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/save_failure.h"

THighScores HighScores;
bool ScoresLoaded = false;

namespace {

std::string dataFolder;
std::string tableFile;     // the file the table was read from, and is saved to
bool fileDamaged = false;  // set the file aside before writing over it

// A pack's table from before tables were keyed by the pack's levels ("Hiscore-NAME.dat")
// becomes the table of the pack as it is now, once.
void AdoptUnkeyedTable(const std::string& file) {
  const std::string name = LevelPackName();
  if (LevelPackFile().empty() || name.empty()) return;
  const std::string old = HighScoreFolder() + "Hiscore-" + name + ".dat";
  std::error_code ec;
  if (std::filesystem::exists(paths::PathOf(file), ec) ||
      !std::filesystem::is_regular_file(paths::PathOf(old), ec))
    return;
  std::filesystem::rename(paths::PathOf(old), paths::PathOf(file), ec);
}

}  // namespace

void THighScoreEntry::SetName(const std::string& name) {
  Length = static_cast<uint8_t>(std::min<size_t>(name.size(), Chars.size()));
  std::copy_n(name.begin(), Length, Chars.begin());
}

std::string EncodeHighScores(const THighScores& table) {
  std::string out;
  for (const THighScoreEntry& e : table) {
    out += static_cast<char>(e.Length);
    out.append(e.Chars.data(), e.Chars.size());
    for (uint8_t r : e.Reserved) out += static_cast<char>(r);
    const auto p = static_cast<uint32_t>(e.Points);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((p >> (8 * i)) & 0xFF);
  }
  return out;
}

bool DecodeHighScores(const std::string& bytes, THighScores& table) {
  if (bytes.size() < kHighScoreFileSize) return false;
  THighScores t;
  for (int k = 0; k < kHighScoreCount; ++k) {
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data()) + k * 20;
    THighScoreEntry& e = t[k];
    if (b[0] > 12) return false;
    e.Length = b[0];
    std::copy_n(b + 1, 12, reinterpret_cast<uint8_t*>(e.Chars.data()));
    std::copy_n(b + 13, 3, e.Reserved.begin());
    e.Points = static_cast<int32_t>(b[16] | (b[17] << 8) | (b[18] << 16) |
                                    (static_cast<uint32_t>(b[19]) << 24));
  }
  table = t;
  return true;
}

std::string HighScoreFolder() {
  if (dataFolder.empty()) {
    const std::string folder = paths::DataHome() + "Morvane/Tarvelle/";
    dataFolder = paths::MakeFolders(folder) ? folder : G.ProgramFolder;
    if (!dataFolder.empty() && dataFolder.back() != '/') dataFolder += '/';
  }
  return dataFolder;
}

std::string HighScoreFile() {
  if (LevelPackFile().empty()) return HighScoreFolder() + "Hiscore.dat";
  // A level pack keeps a table of its own, by its name and its levels: packs of one name in
  // two folders, or a pack changed after its scores were made, have tables apart.
  char checksum[9];
  std::snprintf(checksum, sizeof checksum, "%08x", LevelPackChecksum());
  return HighScoreFolder() + "Hiscore-" + LevelPackName() + "-" + checksum + ".dat";
}

void LoadHighScores() {
  ScoresLoaded = true;
  fileDamaged = false;
  HighScores = THighScores{};
  const std::string file = tableFile = HighScoreFile();
  AdoptUnkeyedTable(file);
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(paths::PathOf(file), ec);
  if (status.type() == std::filesystem::file_type::not_found) return;
  // Only the first 200 bytes count: a file of any length is read no further. Anything but a
  // plain file in its place (a folder) counts as damaged.
  std::string bytes(kHighScoreFileSize, '\0');
  std::ifstream in;
  if (std::filesystem::is_regular_file(paths::PathOf(file), ec))
    in.open(paths::PathOf(file), std::ios::binary);
  if (in) in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(in ? bytes.size() : 0);
  if (!DecodeHighScores(bytes, HighScores)) {
    HighScores = THighScores{};
    fileDamaged = true;
    std::fprintf(stderr,
                 "Tarvelle: the high-score file %s is damaged; starting an empty table (the old "
                 "file is kept as Hiscore.dat.bad)\n",
                 file.c_str());
  }
}

bool SaveHighScores() {
  if (G.TryingOut) return true;  // the table lives on in memory
  const std::string file = tableFile.empty() ? HighScoreFile() : tableFile;
  if (fileDamaged) {
    std::error_code ec;
    std::filesystem::rename(paths::PathOf(file), paths::PathOf(file + ".bad"), ec);
    fileDamaged = false;
  }
  // The folder is made again if it went while the game ran.
  paths::MakeFolders(HighScoreFolder());
  std::string error;
  if (files::WriteAtomically(file, EncodeHighScores(HighScores), &error)) return true;
  files::ReportSaveFailure("cannot save the high scores (" + file + ": " + error + ")");
  return false;
}

int32_t ScoreRank(int32_t score) {
  if (score <= 0) return 0;
  for (int32_t k = 1; k <= kHighScoreCount; ++k)
    if (score > HighScores[k - 1].Points) return k;
  return 0;
}

void InsertHighScore(int32_t rank, int32_t score) {
  if (rank < 1 || rank > kHighScoreCount) return;
  for (int32_t k = kHighScoreCount; k > rank; --k) HighScores[k - 1] = HighScores[k - 2];
  HighScores[rank - 1].Points = score;
  HighScores[rank - 1].Length = 0;
}

void LoadHighScoresOnce() {
  if (!ScoresLoaded) LoadHighScores();
  if (!RecordsWindow) RecordsWindow = std::make_unique<TRecordsWindow>();
}

void ForgetHighScores() {
  HighScores = THighScores{};
  ScoresLoaded = false;
  fileDamaged = false;
  dataFolder.clear();
  tableFile.clear();
  RecordsWindow.reset();
}
