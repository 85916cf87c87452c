#pragma once
#include <array>
#include <cstdint>
#include <string>

// One row of the high-score table. The name is kept as typed, one Windows-1252 byte a
// character; the bytes past its length (leftovers of older names) and the three reserved bytes
// are kept too, so the file is written back exactly as it was read.
struct THighScoreEntry {
  uint8_t Length = 0;  // 0..12
  std::array<char, 12> Chars{};
  std::array<uint8_t, 3> Reserved{};
  int32_t Points = 0;

  std::string Name() const { return std::string(Chars.data(), Length); }
  void SetName(const std::string& name);  // cut to 12 characters
};

constexpr int32_t kHighScoreCount = 10;
constexpr size_t kHighScoreFileSize = 200;  // 10 entries of 20 bytes
using THighScores = std::array<THighScoreEntry, kHighScoreCount>;

// The ten best scores, rank 1 first; equal scores keep their order of arrival, older above.
extern THighScores HighScores;
// The table has been read (or found missing) in this run.
extern bool ScoresLoaded;

// The file's 200 bytes: per entry the name's length, 12 name bytes, 3 reserved bytes and the
// score as a little-endian 32-bit number.
std::string EncodeHighScores(const THighScores& table);
// False for fewer than 200 bytes or a name longer than 12 characters (bytes after the first
// 200 are ignored).
bool DecodeHighScores(const std::string& bytes, THighScores& table);

// The folder of "Hiscore.dat": $XDG_DATA_HOME/Morvane/Tarvelle/ (made when missing), or the
// program's folder when that can't be made. Worked out once per run.
std::string HighScoreFolder();
// The table's file: "Hiscore.dat" for the game's own levels; a level pack's is
// "Hiscore-NAME-CHECKSUM.dat", by the pack's name and the CRC-32 of its file (in eight hex
// digits), so a pack changed after its scores were made starts a table of its own.
std::string HighScoreFile();

// Reads the table. A missing file gives ten empty rows with 0 points; so does a file that is too
// short, damaged or unreadable, which is reported on standard error and kept aside as
// "Hiscore.dat.bad" before the table is next saved. A pack's table from before tables were keyed
// by the levels ("Hiscore-NAME.dat") becomes the pack's table, once, when it has none.
void LoadHighScores();
// Writes the table through a temporary file that replaces the old one, so a failed write never
// loses the table already stored. False when it fails, told to the player
// (files::ReportSaveFailure); the table in memory stays as it is.
bool SaveHighScores();
// Puts the table in the given place: rows rank..9 move one down, the last drops out, and row
// rank gets the score with an empty name.
void InsertHighScore(int32_t rank, int32_t score);
// Forgets the table, the folder and the records window, as at the start of a run (for tests).
void ForgetHighScores();
