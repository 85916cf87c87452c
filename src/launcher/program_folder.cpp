#include "launcher/program_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

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
    if (c.empty() || !HoldsGameData(paths::PathOf(c))) continue;
    std::error_code ec;
    std::string folder = paths::Utf8Of(fs::weakly_canonical(paths::PathOf(c), ec));
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
