#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/level_record.h"

// One change to a level pack, kept as the levels before and after it: either the one level it
// touched or, for changes of the pack's order, every level.
struct TEditStep {
  std::string Name;    // "paint", "TimeLimit", "move level", ...
  int32_t Level = -1;  // index of the level changed; -1: the whole pack
  std::vector<TLevelRecord> Before, After;
  int32_t CurrentBefore = 0, CurrentAfter = 0;  // the level shown before and after
  uint64_t Id = 0;                              // given by the history, never reused
};

// Undo and redo over a run of steps. A new step drops whatever could be redone; the oldest
// steps go when more than Limit are kept.
class TEditHistory {
 public:
  static constexpr size_t Limit = 400;

  void Push(TEditStep step);
  // The newest step, still open to be amended (a stroke of the brush goes on), or nullptr.
  TEditStep* Last();

  bool CanUndo() const { return next_ > 0; }
  bool CanRedo() const { return next_ < steps_.size(); }
  // The step to take back (apply its Before) or to do again (apply its After); nullptr if none.
  const TEditStep* Undo();
  const TEditStep* Redo();
  void Clear();

  // Names the state reached: equal marks mean the same levels (saved or not).
  uint64_t Mark() const { return next_ == 0 ? baseMark_ : steps_[next_ - 1].Id; }

 private:
  std::vector<TEditStep> steps_;
  size_t next_ = 0;  // steps_[0..next_) are done
  uint64_t nextId_ = 1;
  uint64_t baseMark_ = 0;  // the mark with nothing done (changes when old steps are dropped)
};
