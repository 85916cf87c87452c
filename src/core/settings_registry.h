#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "platform/user_registry.h"

// The settings where the system has a registry (Windows): the values of settings.conf, with the
// same names and types, under one key of the user's branch. Reads as TSettingsKey reads, writes
// on Flush.
class TSettingsRegistryKey {
 public:
  // Opens the key under HKEY_CURRENT_USER, creating it when missing. A key made now takes the
  // values of the settings file an earlier version kept in importFolder ("settings.conf": the
  // game's five values, with their types), once: the file is then renamed
  // "settings.conf.imported". False when the key can't be had.
  bool Open(const std::string& subkey, const std::string& importFolder);

  bool ValueExists(const std::string& name) const;
  // Raises ESettingsError "Invalid data type for '%s'" unless the value is a 32-bit integer.
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  // The text of a string value; "" when it is missing or not a string.
  std::string ReadString(const std::string& name) const;
  // Writes the values given since Open; false when one can't be written, told to the player
  // (files::ReportSaveFailure).
  bool Flush();

 private:
  void Import(const std::string& folder);

  user_registry::TKey key_;
  std::string subkey_;
  std::map<std::string, int32_t> pending_;
};
