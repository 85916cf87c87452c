#include "launcher/settings_store.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace {

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

}  // namespace

bool TSettingsKey::Open(const std::string& folder, bool create) {
  open_ = false;
  damaged_ = false;
  values_.clear();
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  file_ = folder_ + "settings.conf";
  std::error_code ec;
  if (!std::filesystem::is_directory(folder_, ec)) {
    if (!create || !paths::MakeFolders(folder_)) return false;
  }
  open_ = true;
  if (!std::filesystem::exists(file_, ec)) return true;
  std::ifstream in(file_, std::ios::binary);
  std::stringstream text;
  if (in) text << in.rdbuf();
  if (!in || !Parse(text.str())) {
    static std::set<std::string> reported;  // one report per file and run
    if (reported.insert(file_).second)
      std::fprintf(stderr, "Tarvelle: the settings file %s cannot be read; using defaults\n",
                   file_.c_str());
    values_.clear();
    damaged_ = true;
  }
  return true;
}

bool TSettingsKey::Parse(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    const std::string name = Trim(line.substr(0, eq));
    const std::string rest = Trim(line.substr(eq + 1));
    const auto colon = rest.find(':');
    if (name.empty() || colon == std::string::npos) return false;
    const std::string type = rest.substr(0, colon), data = rest.substr(colon + 1);
    TValue v;
    if (type == "dword") {
      int64_t n = 0;
      const auto [end, err] = std::from_chars(data.data(), data.data() + data.size(), n);
      if (err != std::errc() || end != data.data() + data.size() || n < INT32_MIN || n > UINT32_MAX)
        return false;
      v.Type = vtDword;
      v.Number = static_cast<int32_t>(static_cast<uint32_t>(n));
    } else if (type == "string") {
      v.Type = vtString;
      v.Text = data;
    } else {
      return false;
    }
    values_[name] = v;
  }
  return true;
}

int32_t TSettingsKey::ReadInteger(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end() || it->second.Type != vtDword)
    throw ESettingsError("Invalid data type for '" + name + "'");
  return it->second.Number;
}

void TSettingsKey::WriteInteger(const std::string& name, int32_t value) {
  values_[name] = TValue{vtDword, "", value};
}

void TSettingsKey::WriteString(const std::string& name, const std::string& value) {
  values_[name] = TValue{vtString, value, 0};
}

bool TSettingsKey::Flush() {
  if (!open_) return false;
  std::error_code ec;
  if (damaged_) {
    // Keep the unreadable file for the player to look at, rather than overwrite it.
    std::filesystem::rename(file_, file_ + ".bad", ec);
    damaged_ = false;
  }
  std::string out = "# Tarvelle settings: name = dword:number or string:text\n";
  for (const auto& [name, v] : values_)
    out += name + " = " +
           (v.Type == vtDword ? "dword:" + std::to_string(v.Number) : "string:" + v.Text) + "\n";
  std::string error;
  const bool ok = files::WriteAtomically(file_, out, &error);
  if (!ok)
    std::fprintf(stderr, "Tarvelle: cannot write the settings file %s: %s\n", file_.c_str(),
                 error.c_str());
  return ok;
}
