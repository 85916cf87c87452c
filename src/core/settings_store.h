#pragma once
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// A value of the settings has the wrong type ("Invalid data type for 'SFXVol'").
class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A per-user key of named, typed values, kept in one text file:
//   # comment
//   SFXVol = dword:8
//   Name = string:text
// Names are matched without regard to letter case. The file is read line by line: a line that
// is not a value is reported once on standard error and skipped, and every other value still
// counts. Writing keeps the file as the player left it (comments, values the game never
// writes, lines it could not read) and changes only the values written, in their places; the
// new file replaces the old one whole, so it is never left half written.
class TSettingsKey {
 public:
  enum TType { vtDword, vtString };
  struct TValue {
    TType Type = vtDword;
    std::string Text;    // vtString
    int32_t Number = 0;  // vtDword
    bool operator==(const TValue&) const = default;
  };

  // Opens the key in folder (its file is folder + "settings.conf"), creating the folder when
  // `create` is set. False when the folder can't be had. A file that can't be read at all (no
  // permission, a folder in its place, far too big) is reported once on standard error and
  // taken as empty; it is kept aside as "settings.conf.bad" before the key is next written.
  bool Open(const std::string& folder, bool create);
  bool IsOpen() const { return open_; }

  bool ValueExists(const std::string& name) const;
  // Raises ESettingsError "Invalid data type for '%s'" unless the value is a 32-bit integer.
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  // The text of a string value; "" when it is missing or not a string.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  // Writes the key's file; false when that fails, told to the player (files::ReportSaveFailure).
  bool Flush();

  const std::string& FilePath() const { return file_; }
  // Every value, by its name in lower case.
  std::map<std::string, TValue> Values() const;
  // The lines of the file that are not values ("line 4: ..."), in file order.
  const std::vector<std::string>& BadLines() const { return badLines_; }

  // The largest settings file read; a bigger one is not a settings file.
  static constexpr size_t kMaxFileSize = 1 << 20;

 private:
  struct TEntry {
    std::string Name;  // as spelled where it was first seen
    TValue Value;
  };
  // One line of the file as it was read. A value line (or a damaged line that still names a
  // value) has Key set: it is written again from the value of that name.
  struct TLine {
    std::string Raw;
    std::string Key;
  };

  void Parse(const std::string& text);
  void Report() const;
  TEntry& Entry(const std::string& name);

  bool open_ = false;
  bool damaged_ = false;  // the whole file could not be read
  std::string folder_, file_;
  std::map<std::string, TEntry> values_;  // by lower-case name
  std::vector<TLine> lines_;
  std::vector<std::string> badLines_;
};
