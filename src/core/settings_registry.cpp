#include "core/settings_registry.h"

#include <cctype>
#include <filesystem>

#include "core/settings_store.h"
#include "platform/paths.h"
#include "platform/save_failure.h"

namespace {

// The values the game keeps, as the registry spells them.
constexpr const char* kNames[] = {"Sleep", "SFXVol", "MusVol", "Diff", "Level"};

}  // namespace

bool TSettingsRegistryKey::Open(const std::string& subkey, const std::string& importFolder) {
  subkey_ = subkey;
  pending_.clear();
  bool created = false;
  if (!key_.Open(subkey, true, &created)) return false;
  if (created) Import(importFolder);
  return true;
}

void TSettingsRegistryKey::Import(const std::string& folder) {
  TSettingsKey file;
  const std::string path = folder + "settings.conf";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(paths::PathOf(path), ec) || !file.Open(folder, false))
    return;
  const auto values = file.Values();
  for (const char* name : kNames) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto it = values.find(lower);
    if (it == values.end()) continue;
    if (it->second.Type == TSettingsKey::vtDword)
      key_.WriteDword(name, it->second.Number, nullptr);
    else
      key_.WriteString(name, it->second.Text, nullptr);
  }
  std::filesystem::rename(paths::PathOf(path), paths::PathOf(path + ".imported"), ec);
}

bool TSettingsRegistryKey::ValueExists(const std::string& name) const {
  return key_.Read(name).Type != user_registry::TValue::vtMissing;
}

int32_t TSettingsRegistryKey::ReadInteger(const std::string& name) const {
  const user_registry::TValue v = key_.Read(name);
  if (v.Type != user_registry::TValue::vtDword)
    throw ESettingsError("Invalid data type for '" + name + "'");
  return v.Number;
}

std::string TSettingsRegistryKey::ReadString(const std::string& name) const {
  const user_registry::TValue v = key_.Read(name);
  return v.Type == user_registry::TValue::vtString ? v.Text : "";
}

void TSettingsRegistryKey::WriteInteger(const std::string& name, int32_t value) {
  pending_[name] = value;
}

bool TSettingsRegistryKey::Flush() {
  for (const auto& [name, value] : pending_) {
    std::string error;
    if (!key_.WriteDword(name, value, &error)) {
      files::ReportSaveFailure("cannot save the settings (HKEY_CURRENT_USER\\" + subkey_ + ", " +
                               name + ": " + error + ")");
      return false;
    }
  }
  pending_.clear();
  return true;
}
