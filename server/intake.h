#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// What the server reads from a request before anything is stored: the name and the replay of
// a submission, the question of a table read. Nothing here trusts the sender: every number is
// taken from the replay itself, and all that is wrong is a refusal with a code and a sentence.

constexpr size_t MaxReplayBytes = 256 * 1024;
constexpr uint32_t MaxGameMs = 60u * 60u * 1000u;  // an hour of play
constexpr size_t MaxNameChars = 12;

// Why a request is refused: the code the client reads, a sentence the player understands, and
// the HTTP status.
struct TRefusal {
  std::string Code;
  std::string Reason;
  int Status = 422;
};
// The refusal of a code ("damaged", "unknown-levels", "rules", "differs", "too-long",
// "too-large", "duplicate", "bad-name"), with its standard sentence; detail, when given, is
// added to it.
TRefusal Refuse(const std::string& code, const std::string& detail = "");

// A replay ready to be verified: the canonical file (decoded and written again), the numbers
// taken from it, and the key that names the game itself.
struct TIntake {
  std::string Name;  // Windows-1252, as the game's table keeps it
  std::string Replay;
  std::string Levels;  // the level file's CRC-32, 8 lower-case hex digits
  uint32_t Rules = 0;
  int32_t Difficulty = 0, StartLevel = 0, Level = 0;
  int64_t Score = 0;
  uint32_t LengthMs = 0;
  std::string GameKey;
};

// The name as the game's table takes it: UTF-8 text turned into Windows-1252, 1 to 12
// characters, none of them a control character and each one the code page has.
std::optional<std::string> TableName(const std::string& utf8);

// Reads a submission; a refusal when the name or the replay is not acceptable. The rules and
// the levels are checked later, against what the server can verify.
std::variant<TIntake, TRefusal> ReadSubmission(const std::string& utf8Name,
                                               const std::string& body);

// A level set's checksum as the API writes it: "0a1b2c3d"; nullopt for anything else.
std::optional<std::string> LevelsParam(const std::string& text);
// A whole decimal number within [lo, hi]; nullopt for anything else.
std::optional<int64_t> NumberParam(const std::string& text, int64_t lo, int64_t hi);
// The CRC-32 as the API writes it.
std::string LevelsText(uint32_t crc);
