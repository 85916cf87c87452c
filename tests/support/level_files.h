#pragma once
// Level records and level files made in the tests.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/pad.h"
#include "game/level_record.h"
#include "platform/process_env.h"

namespace level_files {

// A small valid level: cols x rows of islands of 4 units, the Dragon at (1, rows), the diamond
// at (cols, 1), 100 seconds.
inline TLevelRecord Islands(int cols = 4, int rows = 3) {
  TLevelRecord r;
  r.GridCols = static_cast<uint16_t>(cols);
  r.GridRows = static_cast<uint16_t>(rows);
  r.TimeLimit = 100;
  r.DragonX = 1;
  r.DragonY = static_cast<uint16_t>(rows);
  r.DiamondX = static_cast<uint16_t>(cols);
  r.DiamondY = 1;
  for (int x = 1; x <= cols; ++x) {
    for (int y = 1; y <= rows; ++y) {
      TLevelCell& c = r.Cell(x, y);
      c.Kind = pkIsland;
      c.MaxSize = c.Size = 4;
    }
  }
  return r;
}

inline std::vector<uint8_t> Bytes(const std::vector<TLevelRecord>& records) {
  std::vector<uint8_t> out;
  for (const TLevelRecord& r : records) {
    std::array<uint8_t, LevelRecordSize> b{};
    EncodeLevelRecord(r, b);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

// A folder of its own under the system's temporary folder, removed with the object.
class TTempFolder {
 public:
  TTempFolder() {
    path_ = process::MakeTemporaryFolder("tarvelle-levels-");
  }
  ~TTempFolder() { std::filesystem::remove_all(path_); }
  // The folder with a trailing '/', as ProgramFolder holds it.
  std::string Folder() const { return path_.string() + "/"; }

  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream f(path_ / name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace level_files
