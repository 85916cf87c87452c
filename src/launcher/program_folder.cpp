#include "launcher/program_folder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HoldsGameData(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "LevelsFree.dat", ec) ||
         fs::is_regular_file(folder / "TvFree.dat", ec) || fs::is_directory(folder / "Music", ec);
}

}  // namespace

std::string FindProgramFolder(const std::vector<std::string>& candidates) {
  for (const std::string& c : candidates) {
    if (c.empty() || !HoldsGameData(c)) continue;
    std::error_code ec;
    std::string folder = fs::weakly_canonical(c, ec).string();
    if (ec) folder = c;
    if (folder.back() != '/') folder += '/';
    return folder;
  }
  return "";
}

std::string MissingDataMessage(const std::vector<std::string>& candidates) {
  std::string msg =
      "The game's data files (LevelsFree.dat, TvFree.dat, Music/) were not found. "
      "Looked in:";
  for (const std::string& c : candidates) msg += "\n  " + c;
  return msg;
}
