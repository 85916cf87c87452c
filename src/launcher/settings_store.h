#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

// A value of the settings has the wrong type ("Invalid data type for 'SFXVol'").
class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A per-user key of named, typed values, kept in one text file:
//   # comment
//   SFXVol = dword:8
//   Name = string:text
// Writes go to a temporary file that then replaces the old one, so the file is never left
// half written.
class TSettingsKey {
 public:
  enum TType { vtDword, vtString };
  struct TValue {
    TType Type = vtDword;
    std::string Text;    // vtString
    int32_t Number = 0;  // vtDword
  };

  // Opens the key in folder (its file is folder + "settings.conf"), creating the folder when
  // `create` is set. False when the folder can't be had. A file that can't be read or parsed
  // is reported once on standard error and taken as empty; it is kept aside as
  // "settings.conf.bad" before the key is next written.
  bool Open(const std::string& folder, bool create);
  bool IsOpen() const { return open_; }

  bool ValueExists(const std::string& name) const { return values_.count(name) != 0; }
  // Raises ESettingsError "Invalid data type for '%s'" unless the value is a 32-bit integer.
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  // Writes the key's file; false (with one line on standard error) when that fails.
  bool Flush();

  const std::string& FilePath() const { return file_; }

 private:
  bool Parse(const std::string& text);

  bool open_ = false;
  bool damaged_ = false;
  std::string folder_, file_;
  std::map<std::string, TValue> values_;
};
