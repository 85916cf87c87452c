#include "tools/editor/recovery_keeper.h"

TRecoveryKeeper::TRecoveryKeeper(std::string folder, const TEditorModel& model)
    : recovery_(std::move(folder)), mark_(model.Mark()) {}

void TRecoveryKeeper::Restore(TEditorModel& model, bool readOnly) {
  recovery_.Restore(model, model.Path(), readOnly);
  mark_ = 0;  // a copy is kept again at once, and dropped once saved
  kept_ = true;
  keptFor_ = model.Path();
}

void TRecoveryKeeper::Keep(const TEditorModel& model) {
  if (!model.Dirty()) {
    if (kept_) recovery_.Drop(keptFor_);
    kept_ = false;
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (model.Mark() == mark_ || (kept_ && now - keptAt_ < std::chrono::seconds(2))) return;
  if (kept_ && keptFor_ != model.Path()) recovery_.Drop(keptFor_);
  if (recovery_.Keep(model, model.Path())) {
    kept_ = true;
    keptFor_ = model.Path();
    keptAt_ = now;
    mark_ = model.Mark();
  }
}

void TRecoveryKeeper::Stop() {
  if (kept_) recovery_.Drop(keptFor_);
}
