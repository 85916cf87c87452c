#include "core/settings_store.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/save_failure.h"

namespace {

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Reads a line "Name = dword:number" or "Name = string:text". False when it is not one; name
// is still set when the line names a value.
bool ParseLine(const std::string& line, std::string& name, TSettingsKey::TValue& v) {
  name.clear();
  const auto eq = line.find('=');
  if (eq == std::string::npos) return false;
  name = Trim(line.substr(0, eq));
  const std::string rest = Trim(line.substr(eq + 1));
  const auto colon = rest.find(':');
  if (name.empty() || colon == std::string::npos) return false;
  const std::string type = Lower(Trim(rest.substr(0, colon)));
  const std::string data = rest.substr(colon + 1);
  if (type == "dword") {
    const std::string digits = Trim(data);
    int64_t n = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, err] = std::from_chars(digits.data(), end, n);
    if (digits.empty() || err != std::errc() || stop != end || n < INT32_MIN || n > UINT32_MAX)
      return false;
    v = {TSettingsKey::vtDword, "", static_cast<int32_t>(static_cast<uint32_t>(n))};
    return true;
  }
  if (type == "string") {
    v = {TSettingsKey::vtString, data, 0};
    return true;
  }
  return false;
}

std::string FormatLine(const std::string& name, const TSettingsKey::TValue& v) {
  return name + " = " +
         (v.Type == TSettingsKey::vtDword ? "dword:" + std::to_string(v.Number)
                                          : "string:" + v.Text);
}

// Whether this run has already told about the file (one report per file and run).
bool FirstReport(const std::string& file) {
  static std::set<std::string> reported;
  return reported.insert(file).second;
}

}  // namespace

bool TSettingsKey::Open(const std::string& folder, bool create) {
  open_ = false;
  damaged_ = false;
  values_.clear();
  lines_.clear();
  badLines_.clear();
  folder_ = folder;
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  file_ = folder_ + "settings.conf";
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(paths::PathOf(folder_), ec)) {
    if (!create || !paths::MakeFolders(folder_)) return false;
  }
  open_ = true;
  const fs::file_status status = fs::symlink_status(paths::PathOf(file_), ec);
  if (status.type() == fs::file_type::not_found) return true;
  std::string text;
  bool read = false;
  if (fs::is_regular_file(paths::PathOf(file_), ec)) {
    const uintmax_t size = fs::file_size(paths::PathOf(file_), ec);
    std::ifstream in(paths::PathOf(file_), std::ios::binary);
    if (!ec && size <= kMaxFileSize && in) {
      std::ostringstream all;
      all << in.rdbuf();
      text = all.str();
      read = !in.bad() && text.size() <= kMaxFileSize;
      // An empty file leaves the stream with nothing to copy: that is not a failure.
      if (size == 0) read = !in.bad();
    }
  }
  if (!read) {
    if (FirstReport(file_))
      std::fprintf(stderr, "Tarvelle: the settings file %s cannot be read; using defaults\n",
                   file_.c_str());
    damaged_ = true;
    return true;
  }
  Parse(text);
  if (!badLines_.empty()) Report();
  return true;
}

void TSettingsKey::Parse(const std::string& text) {
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trim(raw);
    TLine l{raw, ""};
    if (!line.empty() && line[0] != '#') {
      std::string name;
      TValue v;
      const bool ok = ParseLine(line, name, v);
      if (!name.empty()) l.Key = Lower(name);
      if (ok) {
        TEntry& e = Entry(name);
        e.Value = v;
      } else {
        badLines_.push_back("line " + std::to_string(lineNo) + ": " + line);
      }
    }
    lines_.push_back(std::move(l));
  }
}

void TSettingsKey::Report() const {
  if (!FirstReport(file_)) return;
  std::fprintf(stderr, "Tarvelle: the settings file %s has lines that are not settings:\n",
               file_.c_str());
  for (size_t i = 0; i < badLines_.size() && i < 5; ++i)
    std::fprintf(stderr, "  %s (skipped)\n", badLines_[i].c_str());
  if (badLines_.size() > 5) std::fprintf(stderr, "  ... and %zu more\n", badLines_.size() - 5);
}

TSettingsKey::TEntry& TSettingsKey::Entry(const std::string& name) {
  TEntry& e = values_[Lower(name)];
  if (e.Name.empty()) e.Name = name;
  return e;
}

bool TSettingsKey::ValueExists(const std::string& name) const {
  return values_.count(Lower(name)) != 0;
}

int32_t TSettingsKey::ReadInteger(const std::string& name) const {
  const auto it = values_.find(Lower(name));
  if (it == values_.end() || it->second.Value.Type != vtDword)
    throw ESettingsError("Invalid data type for '" + name + "'");
  return it->second.Value.Number;
}

std::string TSettingsKey::ReadString(const std::string& name) const {
  const auto it = values_.find(Lower(name));
  return it != values_.end() && it->second.Value.Type == vtString ? it->second.Value.Text : "";
}

void TSettingsKey::WriteInteger(const std::string& name, int32_t value) {
  Entry(name).Value = TValue{vtDword, "", value};
}

void TSettingsKey::WriteString(const std::string& name, const std::string& value) {
  Entry(name).Value = TValue{vtString, value, 0};
}

std::map<std::string, TSettingsKey::TValue> TSettingsKey::Values() const {
  std::map<std::string, TValue> out;
  for (const auto& [key, e] : values_) out[key] = e.Value;
  return out;
}

bool TSettingsKey::Flush() {
  if (!open_) return false;
  std::error_code ec;
  if (damaged_) {
    // Keep the unreadable file for the player to look at, rather than overwrite it.
    std::filesystem::rename(paths::PathOf(file_), paths::PathOf(file_ + ".bad"), ec);
    damaged_ = false;
  }
  std::string out;
  if (lines_.empty()) out = "# Tarvelle settings: name = dword:number or string:text\n";
  std::set<std::string> placed;
  for (const TLine& l : lines_) {
    const auto it = l.Key.empty() ? values_.end() : values_.find(l.Key);
    if (it == values_.end()) {
      out += l.Raw + "\n";  // a comment, or a line naming no value it could read: as it was
    } else {
      out += FormatLine(it->second.Name, it->second.Value) + "\n";
      placed.insert(l.Key);
    }
  }
  for (const auto& [key, e] : values_)
    if (!placed.count(key)) out += FormatLine(e.Name, e.Value) + "\n";
  std::string error;
  const bool ok = files::WriteAtomically(file_, out, &error);
  if (!ok) files::ReportSaveFailure("cannot save the settings (" + file_ + ": " + error + ")");
  return ok;
}
