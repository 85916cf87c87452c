#include "session/replay_check.h"

#include <cstdio>
#include <sstream>

#include "front/replay_player.h"
#include "session/json_string.h"

namespace {

// The recording's time of entry i, in ms from the game's start.
uint32_t TimeOf(const TReplay& r, size_t i) {
  const uint32_t first = r.StartReads.empty() ? 0 : r.StartReads.front();
  for (size_t k = i + 1; k-- > 0;)
    if (!r.Entries[k].Reads.empty()) return r.Entries[k].Reads.back() - first;
  return 0;
}

std::string EndDifference(const TReplayFinal& now, const TReplayFinal& recorded) {
  std::string what;
  auto field = [&](const char* name, int64_t a, int64_t b) {
    if (a == b) return;
    if (!what.empty()) what += ", ";
    what += std::string(name) + " " + std::to_string(a) + ", recorded " + std::to_string(b);
  };
  field("score", now.Score, recorded.Score);
  field("lives", now.Lives, recorded.Lives);
  field("level", now.LevelNo, recorded.LevelNo);
  field("random state", now.RandomState, recorded.RandomState);
  return what;
}

}  // namespace

const char* VerdictName(TReplayCheck::TVerdict v) {
  switch (v) {
    case TReplayCheck::Exact:
      return "exact";
    case TReplayCheck::Differs:
      return "differs";
    case TReplayCheck::Damaged:
      return "damaged";
    case TReplayCheck::UnknownLevels:
      return "unknown-levels";
  }
  return "damaged";
}

TReplayCheck CheckReplay(TGameSession& session, const TReplay& replay) {
  TReplayCheck c;
  c.Levels = replay.Levels;
  c.Difficulty = replay.Difficulty;
  c.StartLevel = replay.StartLevel;
  c.Recorded = replay.Final;
  for (const TTapeEntry& e : replay.Entries) c.Frames += e.Call == tcFrame;
  if (!replay.Entries.empty()) c.LengthMs = TimeOf(replay, replay.Entries.size() - 1);
  TReplayPlayer player(replay, session.Form());
  try {
    player.Start();
  } catch (const EReplayError& e) {
    c.Verdict = TReplayCheck::UnknownLevels;
    c.Message = e.what();
    return c;
  }
  while (player.Step()) {
  }
  c.Final = TReplayPlayer::Now();
  const TReplayPlayer::TDrift& drift = player.FirstDrift();
  if (drift.Entry >= 0) {
    const auto i = static_cast<size_t>(drift.Entry);
    c.Verdict = TReplayCheck::Differs;
    c.Entry = drift.Entry;
    c.Frame = 0;
    for (size_t k = 0; k < i; ++k) c.Frame += replay.Entries[k].Call == tcFrame;
    c.TimeMs = TimeOf(replay, i);
    c.What = "the game read the clock " + std::to_string(drift.Read) + " time(s), recorded " +
             std::to_string(drift.Recorded);
    const std::string end = EndDifference(c.Final, c.Recorded);
    if (!end.empty()) c.What += "; at the end " + end;
    return c;
  }
  if (!(c.Final == c.Recorded)) {
    c.Verdict = TReplayCheck::Differs;
    c.TimeMs = c.LengthMs;
    c.What = "at the end " + EndDifference(c.Final, c.Recorded);
    return c;
  }
  c.Verdict = TReplayCheck::Exact;
  return c;
}

TReplayCheck CheckReplayBytes(TGameSession& session, std::string_view bytes,
                              const std::string& name) {
  TReplay replay;
  try {
    replay = DecodeReplay(std::string(bytes), name);
  } catch (const EReplayError& e) {
    TReplayCheck c;
    c.Verdict = TReplayCheck::Damaged;
    c.Message = e.what();
    return c;
  }
  return CheckReplay(session, replay);
}

std::string ReplayCheckJson(const TReplayCheck& c) {
  std::ostringstream j;
  j << "{\"verdict\":" << JsonString(VerdictName(c.Verdict));
  if (c.Verdict == TReplayCheck::Damaged || c.Verdict == TReplayCheck::UnknownLevels) {
    j << ",\"message\":" << JsonString(c.Message) << "}";
    return j.str();
  }
  char levels[9];
  std::snprintf(levels, sizeof levels, "%08x", c.Levels);
  j << ",\"levels\":\"" << levels << "\",\"difficulty\":" << c.Difficulty
    << ",\"start\":" << c.StartLevel << ",\"length_ms\":" << c.LengthMs
    << ",\"frames\":" << c.Frames << ",\"score\":" << c.Final.Score
    << ",\"lives\":" << c.Final.Lives << ",\"level\":" << c.Final.LevelNo
    << ",\"random\":" << c.Final.RandomState << ",\"recorded_score\":" << c.Recorded.Score
    << ",\"recorded_lives\":" << c.Recorded.Lives << ",\"recorded_level\":" << c.Recorded.LevelNo
    << ",\"recorded_random\":" << c.Recorded.RandomState;
  if (c.Verdict == TReplayCheck::Differs) {
    j << ",\"entry\":" << c.Entry << ",\"frame\":" << c.Frame << ",\"time_ms\":" << c.TimeMs
      << ",\"what\":" << JsonString(c.What);
  }
  j << "}";
  return j.str();
}
