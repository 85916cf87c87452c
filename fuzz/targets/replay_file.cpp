// The replay file: any bytes either decode to a replay in range or are refused with a message
// that names the file; a decoded replay writes back to bytes that decode to the same replay.
#include "fuzz/fuzz_target.h"
#include "fuzz/replay_bytes.h"
#include "game/replay.h"

namespace {

bool SameReplay(const TReplay& a, const TReplay& b) {
  if (a.Seed != b.Seed || a.Difficulty != b.Difficulty || a.StartLevel != b.StartLevel ||
      a.MaxLevel != b.MaxLevel || a.Rules != b.Rules || a.SleepMs != b.SleepMs || a.StartReads != b.StartReads ||
      !(a.Final == b.Final) || a.Entries.size() != b.Entries.size())
    return false;
  for (size_t i = 0; i < a.Entries.size(); ++i) {
    const TTapeEntry &x = a.Entries[i], &y = b.Entries[i];
    if (x.Call != y.Call || x.A != y.A || x.B != y.B || x.C != y.C || x.D != y.D ||
        x.Reads != y.Reads)
      return false;
  }
  return true;
}

void Decode(const std::string& bytes) {
  TReplay r;
  try {
    r = DecodeReplay(bytes, "fuzz.tvr");
  } catch (const EReplayError& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("fuzz.tvr: "), "message without the name");
    return;
  }
  fuzz::Check(r.Difficulty >= 1 && r.Difficulty <= 3 && r.StartLevel >= 1 && r.StartLevel <= 15 &&
                  r.Final.LevelNo >= 1 && r.Final.LevelNo <= 15,
              "start or end out of range");
  for (const TTapeEntry& e : r.Entries)
    fuzz::Check(e.Call >= tcFrame && e.Call <= LastTapeCall, "a call of an unknown kind");
  TReplay again;
  try {
    again = DecodeReplay(EncodeReplay(r), "again.tvr");
  } catch (const EReplayError& e) {
    fuzz::Fail(std::string("a written replay does not read back: ") + e.what());
  }
  fuzz::Check(SameReplay(again, r), "a written replay reads back as another");
}

}  // namespace

TARVELLE_FUZZ_TARGET(replay_file) {
  const std::string bytes(fuzz::Text(data, size));
  Decode(bytes);
  Decode(fuzz::SealedReplay(bytes));
}
