// The world table server's reading of a submission: the name (up to the first newline) and the
// replay (the rest). Any bytes are either refused with a code and a sentence, or give a name
// the game's table takes and a replay whose numbers are in range and that reads back the same.
#include <string>

#include "fuzz/fuzz_target.h"
#include "fuzz/replay_bytes.h"
#include "game/cp1252.h"
#include "game/replay.h"
#include "server/intake.h"

namespace {

void Read(const std::string& name, const std::string& body) {
  const auto read = ReadSubmission(name, body);
  if (const auto* r = std::get_if<TRefusal>(&read)) {
    fuzz::Check(!r->Code.empty() && !r->Reason.empty() && r->Status >= 400 && r->Status < 500,
                "a refusal without its code, reason or status");
    return;
  }
  const TIntake& in = std::get<TIntake>(read);
  fuzz::Check(!in.Name.empty() && in.Name.size() <= MaxNameChars, "a name of the wrong length");
  for (const char c : in.Name)
    fuzz::Check(static_cast<uint8_t>(c) >= 0x20 && c != 0x7F, "a control character in a name");
  fuzz::Check(Utf8FromCp1252(in.Name) == name, "the name changed on its way");
  fuzz::Check(in.LengthMs <= MaxGameMs && in.Levels.size() == 8 && in.GameKey.size() > 8,
              "numbers out of range");
  const TReplay r = DecodeReplay(in.Replay, "again.tvr");  // must not throw
  fuzz::Check(EncodeReplay(r) == in.Replay && r.Final.Score == in.Score &&
                  r.Difficulty == in.Difficulty && r.StartLevel == in.StartLevel,
              "the kept replay is not the one read");
  // The table's parameters: what is taken is written back the same.
  if (const auto levels = LevelsParam(name))
    fuzz::Check(*LevelsParam(*levels) == *levels, "a level checksum read two ways");
}

}  // namespace

TARVELLE_FUZZ_TARGET(server_request) {
  const std::string bytes(fuzz::Text(data, size));
  const size_t cut = bytes.find('\n');
  const std::string name = cut == std::string::npos ? bytes : bytes.substr(0, cut);
  const std::string body = cut == std::string::npos ? "" : bytes.substr(cut + 1);
  Read(name, body);
  Read(name, fuzz::SealedReplay(body));
  if (const auto n = NumberParam(name, -5, 5)) fuzz::Check(*n >= -5 && *n <= 5, "a number out of range");
}
