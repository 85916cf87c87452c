#include "front/replay_player.h"

#include "core/globals.h"
#include "core/random.h"
#include "front/input.h"
#include "game/level.h"
#include "game/level_pack.h"
#include "game/replay_recorder.h"
#include "game/rules.h"

namespace {

// The game clock's tap while a replay plays: every reading comes from the recording.
class TPlaybackTap final : public IClockTap {
 public:
  explicit TPlaybackTap(TReplayPlayer& player) : player_(player) {}
  uint32_t Read(uint32_t) override { return player_.NextReading(); }

 private:
  TReplayPlayer& player_;
};

}  // namespace

TReplayPlayer::TReplayPlayer(const TReplay& replay, TMainForm& form)
    : replay_(replay), form_(form), tap_(std::make_unique<TPlaybackTap>(*this)) {
  wasRecording_ = ReplayRecordingOn();
  SetReplayRecording(false);
  previousTap_ = ClockTap();
  SetClockTap(tap_.get());
  last_ = replay_.StartReads.empty() ? 0 : replay_.StartReads.front();
}

TReplayPlayer::~TReplayPlayer() {
  SetClockTap(previousTap_);
  SetReplayRecording(wasRecording_);
}

uint32_t TReplayPlayer::NextReading() {
  if (reads_ && read_ < reads_->size())
    last_ = (*reads_)[read_++];
  else
    ++overrun_;
  return last_;
}

void TReplayPlayer::Feed(const std::vector<uint32_t>* reads) {
  reads_ = reads;
  read_ = 0;
  overrun_ = 0;
}

void TReplayPlayer::Start() {
  G.DemoMode = false;
  // A replay of version 1 does not say which levels it was played on: those were always the
  // game's own.
  if (replay_.Levels != 0 ? replay_.Levels != LevelFileChecksum() : !LevelPackFile().empty()) {
    const std::string file = LevelFilePath().substr(LevelFilePath().find_last_of('/') + 1);
    throw EReplayError("the replay was recorded on other levels than " + file +
                       ": play it with the levels it was recorded on (--levels)");
  }
  G.Difficulty = replay_.Difficulty;
  G.MaxLevel = replay_.MaxLevel;
  G.SleepMs = replay_.SleepMs;
  RandomState = replay_.Seed;
  Feed(&replay_.StartReads);
  NewGame(replay_.StartLevel);
  Feed(nullptr);
  next_ = 0;
}

uint32_t TReplayPlayer::NextAt() const {
  uint32_t first = replay_.StartReads.empty() ? 0 : replay_.StartReads.front();
  for (size_t i = next_; i < replay_.Entries.size(); ++i)
    if (!replay_.Entries[i].Reads.empty()) return replay_.Entries[i].Reads.front() - first;
  return last_ - first;
}

bool TReplayPlayer::Step() {
  if (Done()) return false;
  const TTapeEntry& e = replay_.Entries[next_++];
  Feed(&e.Reads);
  switch (e.Call) {
    case tcFrame:
      G.LagCount = e.A;
      form_.DoFrame();
      break;
    case tcKeyDown:
      form_.FormKeyDown(e.A, static_cast<uint32_t>(e.B));
      break;
    case tcKeyUp:
      form_.FormKeyUp(e.A, static_cast<uint32_t>(e.B));
      break;
    case tcKeyPress:
      form_.FormKeyPress(static_cast<char>(e.A));
      break;
    case tcMouseUp:
      form_.DXDrawMouseUp(e.A, static_cast<uint32_t>(e.B), e.C, e.D);
      break;
    case tcJoyMove:
      G.AxisCentreX = e.B;
      G.AxisCentreY = e.C;
      form_.JoyMove(static_cast<uint32_t>(e.A));
      break;
    case tcJoyButUp:
      form_.JoyButUp(static_cast<uint32_t>(e.A));
      break;
    case tcPause:
      form_.PauseGame();
      break;
    case tcActivate:
      form_.DXTimer1Activate();
      break;
    case tcDeactivate:
      form_.DXTimer1Deactivate();
      break;
    default:
      break;
  }
  if (drift_.Entry < 0 && (read_ != e.Reads.size() || overrun_ != 0))
    drift_ = {static_cast<int64_t>(next_ - 1), e.Reads.size(), read_ + overrun_};
  Feed(nullptr);
  return true;
}

TReplayFinal TReplayPlayer::Now() {
  return {G.Score, G.Lives, G.LevelNo, RandomState};
}
