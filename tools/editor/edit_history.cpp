#include "tools/editor/edit_history.h"

void TEditHistory::Push(TEditStep step) {
  steps_.resize(next_);
  step.Id = nextId_++;
  steps_.push_back(std::move(step));
  if (steps_.size() > Limit) {
    baseMark_ = steps_.front().Id;
    steps_.erase(steps_.begin());
  }
  next_ = steps_.size();
}

TEditStep* TEditHistory::Last() {
  return next_ > 0 && next_ == steps_.size() ? &steps_.back() : nullptr;
}

const TEditStep* TEditHistory::Undo() {
  if (!CanUndo()) return nullptr;
  return &steps_[--next_];
}

const TEditStep* TEditHistory::Redo() {
  if (!CanRedo()) return nullptr;
  return &steps_[next_++];
}

void TEditHistory::Clear() {
  steps_.clear();
  next_ = 0;
  baseMark_ = nextId_++;
}
