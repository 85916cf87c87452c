#include "game/level_pack.h"

#include <fstream>
#include <iterator>

#include "core/globals.h"
#include "game/in_out_error.h"
#include "game/level_reader.h"
#include "game/level_set.h"
#include "game/replay.h"
#include "platform/paths.h"

namespace {

std::string packFile;

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Windows' paths may use either separator ("C:\packs\party.dat").
constexpr const char* kSeparators = "/\\";

uint32_t FileChecksum(const std::string& file) {
  std::ifstream f(paths::PathOf(file), std::ios::binary);
  if (!f) return 0;
  const std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  return ReplayChecksum(bytes);
}

}  // namespace

std::string LevelPackFolder() {
  return paths::DataHome() + "Morvane/Tarvelle/levels/";
}

std::string LevelPackPath(const std::string& nameOrFile) {
  if (nameOrFile.find_first_of(kSeparators) != std::string::npos || EndsWith(nameOrFile, ".dat")) {
    return nameOrFile;
  }
  return LevelPackFolder() + nameOrFile + ".dat";
}

void SetLevelPack(const std::string& file) {
  packFile = file;
}

const std::string& LevelPackFile() {
  return packFile;
}

std::string LevelPackName() {
  std::string name = packFile.substr(packFile.find_last_of(kSeparators) + 1);
  if (EndsWith(name, ".dat")) name.resize(name.size() - 4);
  return name;
}

std::string LevelFilePath() {
  return packFile.empty() || G.DemoMode ? G.ProgramFolder + "LevelsFree.dat" : packFile;
}

uint32_t LevelFileChecksum() {
  if (LevelRecordsInMemory() && !G.DemoMode) return LevelRecordsChecksum();
  return FileChecksum(LevelFilePath());
}

uint32_t LevelPackChecksum() {
  return packFile.empty() ? 0 : FileChecksum(packFile);
}

std::string CheckLevelPack(const std::string& file) {
  try {
    const TLevelReader reader(file);
    const int32_t n = reader.RecordCount();
    if (n < 15) {
      return reader.FileName() + ": holds " + std::to_string(n) + " level(s), the game needs 15";
    }
    for (int32_t level = 1; level <= 15; ++level) reader.ReadLevel(level);
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "";
}
