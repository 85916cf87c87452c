#pragma once
#include <string>

#include "tools/editor/editor_model.h"

// The recovery copy of a pack being edited: written now and then while changes are not saved,
// thrown away once they are (or on purpose), offered when the editor opens the pack again
// after it stopped without either.
class TRecovery {
 public:
  // folder: where the copies are kept (one per pack, named after the pack's path).
  explicit TRecovery(std::string folder) : folder_(std::move(folder)) {}

  // The copy of the pack at path ("" for a new pack).
  std::string FileFor(const std::string& path) const;
  bool Exists(const std::string& path) const;
  // Writes the model's unsaved levels as the copy of its pack; false when it can't.
  bool Keep(const TEditorModel& model, const std::string& path);
  void Drop(const std::string& path) const;
  // Opens the copy of the pack at path into model, as unsaved changes of that pack.
  void Restore(TEditorModel& model, const std::string& path, bool readOnly) const;

 private:
  std::string folder_;
};
