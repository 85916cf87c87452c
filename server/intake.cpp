#include "server/intake.h"

#include <charconv>
#include <cstdio>

#include "game/cp1252.h"
#include "game/replay.h"

TRefusal Refuse(const std::string& code, const std::string& detail) {
  static const struct {
    const char* Code;
    int Status;
    const char* Reason;
  } reasons[] = {
      {"damaged", 422, "The replay file is damaged and can't be played."},
      {"unknown-levels", 422,
       "The levels this game was played on are not known here: only the game's own levels and "
       "the packs listed here have a world table."},
      {"rules", 422,
       "This game was played under rules this server can't play back: a newer or older version "
       "of Tarvelle."},
      {"differs", 422,
       "The replay did not play back as it was recorded, so its score can't be counted."},
      {"too-long", 422, "The game is longer than an hour of play, more than this server replays."},
      {"too-large", 413, "The replay file is larger than 256 KiB."},
      {"duplicate", 409, "This game was sent before."},
      {"bad-name", 422,
       "The name must be 1 to 12 characters of the game's table, with no control characters."},
  };
  for (const auto& r : reasons)
    if (code == r.Code)
      return {code, detail.empty() ? r.Reason : std::string(r.Reason) + " " + detail, r.Status};
  return {code, detail, 422};
}

std::optional<std::string> TableName(const std::string& utf8) {
  // Every character must come through: count UTF-8's characters (lead bytes) before and after.
  size_t chars = 0;
  for (const char c : utf8)
    if ((static_cast<uint8_t>(c) & 0xC0) != 0x80) ++chars;
  const std::string name = Cp1252FromUtf8(utf8);
  if (name.empty() || name.size() != chars || name.size() > MaxNameChars) return std::nullopt;
  // Round trip: a broken sequence that happened to count right is refused too.
  if (Utf8FromCp1252(name) != utf8) return std::nullopt;
  for (const char c : name) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x20 || b == 0x7F) return std::nullopt;
  }
  return name;
}

std::string LevelsText(uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", crc);
  return text;
}

namespace {

// The length of play: from the first clock reading to the last.
uint32_t LengthMs(const TReplay& r) {
  bool any = false;
  uint32_t first = 0, last = 0;
  auto see = [&](const std::vector<uint32_t>& reads) {
    for (const uint32_t t : reads) {
      if (!any) first = t;
      any = true;
      last = t;
    }
  };
  see(r.StartReads);
  for (const TTapeEntry& e : r.Entries) see(e.Reads);
  return any ? last - first : 0;  // the clock wraps as an unsigned number does
}

}  // namespace

std::variant<TIntake, TRefusal> ReadSubmission(const std::string& utf8Name,
                                               const std::string& body) {
  if (body.size() > MaxReplayBytes) return Refuse("too-large");
  const std::optional<std::string> name = TableName(utf8Name);
  if (!name) return Refuse("bad-name");
  TReplay r;
  try {
    r = DecodeReplay(body, "replay");
  } catch (const EReplayError& e) {
    std::string why = e.what();
    if (why.starts_with("replay: ")) why.erase(0, 8);
    return Refuse("damaged", "(" + why + ")");
  }
  TIntake in;
  in.Name = *name;
  in.Replay = EncodeReplay(r);
  in.Levels = LevelsText(r.Levels);
  in.Rules = r.Rules;
  in.Difficulty = r.Difficulty;
  in.StartLevel = r.StartLevel;
  in.Level = r.Final.LevelNo;
  in.Score = r.Final.Score;
  in.LengthMs = LengthMs(r);
  if (in.LengthMs > MaxGameMs) return Refuse("too-long");
  in.GameKey = in.Levels + "-" + std::to_string(r.Seed) + "-" + std::to_string(r.Difficulty) + "-" +
               std::to_string(r.StartLevel) + "-" + std::to_string(r.Final.Score) + "-" +
               std::to_string(r.Final.RandomState) + "-" + std::to_string(r.Entries.size()) +
               "-" + std::to_string(in.LengthMs);
  return in;
}

std::optional<std::string> LevelsParam(const std::string& text) {
  if (text.size() != 8) return std::nullopt;
  uint32_t crc = 0;
  const auto [p, err] = std::from_chars(text.data(), text.data() + 8, crc, 16);
  if (err != std::errc() || p != text.data() + 8) return std::nullopt;
  return LevelsText(crc);
}

std::optional<int64_t> NumberParam(const std::string& text, int64_t lo, int64_t hi) {
  int64_t v = 0;
  const auto [p, err] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || err != std::errc() || p != text.data() + text.size() || v < lo || v > hi)
    return std::nullopt;
  return v;
}
