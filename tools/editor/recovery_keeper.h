#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "tools/editor/editor_model.h"
#include "tools/editor/recovery.h"

// Keeps the recovery copy of the pack being edited as its changes stand: a copy of the unsaved
// levels at most every two seconds, none once they are saved, and the copy left by a run that
// stopped with changes not saved offered back.
class TRecoveryKeeper {
 public:
  // folder: where the copies are kept; model: the levels being edited, as they open.
  TRecoveryKeeper(std::string folder, const TEditorModel& model);

  // A run that stopped with changes to the pack at path not saved left a copy of them.
  bool Offered(const std::string& path) const { return recovery_.Exists(path); }
  // Brings the copy's changes back into model as unsaved changes (throws when it can't be read).
  void Restore(TEditorModel& model, bool readOnly);
  // Throws the copy of the pack at path away, as the author chose.
  void Refuse(const std::string& path) const { recovery_.Drop(path); }
  // Writes, replaces or drops the copy as the model's changes stand now.
  void Keep(const TEditorModel& model);
  // The editor stops: its changes were saved or thrown away on purpose.
  void Stop();

 private:
  TRecovery recovery_;
  uint64_t mark_ = 0;    // the model's mark when the copy was written
  std::string keptFor_;  // the pack whose copy was written, if one was
  bool kept_ = false;
  std::chrono::steady_clock::time_point keptAt_{};
};
