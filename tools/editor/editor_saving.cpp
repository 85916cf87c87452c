#include "tools/editor/editor_app.h"

#include "platform/paths.h"

// Saving the pack: under its own name, or under a name typed (Save As).

void TEditorApp::Save(bool as) {
  std::string error;
  if (!as && !m_.Path().empty() && !m_.ReadOnly()) {
    if (m_.Save(&error)) {
      message_ = "saved " + m_.Path();
      messageBad_ = false;
      if (quitAfterSave_) quit_ = true;
    } else {
      message_ = "not saved: " + error;
      messageBad_ = true;
    }
    return;
  }
  prompt_ = TPrompt::SaveAs;
  s_.TypingArg = -1;
  s_.Typed.clear();
}

void TEditorApp::FinishSaveAs() {
  if (s_.Typed.empty()) return;
  std::string path = s_.Typed;
  if (path.find('/') == std::string::npos) {
    paths::MakeFolders(places_.Packs);
    path = places_.Packs + path;
    if (path.size() < 4 || path.substr(path.size() - 4) != ".dat") path += ".dat";
  }
  std::string error;
  prompt_ = TPrompt::None;
  if (m_.SaveAs(path, &error)) {
    message_ = "saved " + path;
    messageBad_ = false;
    if (quitAfterSave_) quit_ = true;
    if (!quit_) share_.Offer(path);
  } else {
    message_ = "not saved: " + error;
    messageBad_ = true;
  }
  s_.Typed.clear();
}
