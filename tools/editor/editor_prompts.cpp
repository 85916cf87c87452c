#include "tools/editor/editor_app.h"

#include <string>

#include "platform/keys.h"

// The editor's prompts: the recovery copy offered, the window closed with changes not saved, the
// name a pack is saved as, and the pack to open.

namespace {

// A typed character from a key, for pack names: letters, digits, '-', '_' and '.'.
char NameChar(int32_t key, uint32_t shift) {
  if (key >= 'A' && key <= 'Z') return static_cast<char>((shift & vk::ssShift) ? key : key + 32);
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  if (key == vk::Minus) return (shift & vk::ssShift) ? '_' : '-';
  if (key == vk::Period) return '.';
  if (key == vk::Slash) return '/';
  return 0;
}

}  // namespace

// A key while a prompt is shown: the prompt takes it.
void TEditorApp::PromptKey(int32_t key, uint32_t shift) {
  if (prompt_ == TPrompt::Recover) {
    if (key == 'R') {
      try {
        recovery_.Restore(m_, places_.ReadOnly);
        message_ = "the unsaved changes are back: save them to keep them";
        messageBad_ = false;
      } catch (const std::exception& e) {
        message_ = std::string("the recovery copy can't be read: ") + e.what();
        messageBad_ = true;
      }
      prompt_ = TPrompt::None;
    } else if (key == vk::Escape) {
      recovery_.Refuse(m_.Path());
      prompt_ = TPrompt::None;
    }
    return;
  }
  if (prompt_ == TPrompt::Close) {
    if (key == 'S') {
      quitAfterSave_ = true;
      Save(false);
    } else if (key == 'D') {
      quit_ = true;
    } else if (key == vk::Escape) {
      prompt_ = TPrompt::None;
    }
    return;
  }
  if (prompt_ == TPrompt::Open) {
    OpenKey(key, shift);
    return;
  }
  if (prompt_ == TPrompt::SaveAs) {
    if (key == vk::Return) {
      FinishSaveAs();
    } else if (key == vk::Escape) {
      prompt_ = TPrompt::None;
      quitAfterSave_ = false;
    } else if (key == vk::Back) {
      if (!s_.Typed.empty()) s_.Typed.pop_back();
    } else if (const char c = NameChar(key, shift)) {
      s_.Typed += c;
    }
  }
}

void TEditorApp::AskWhichToOpen() {
  if (m_.Dirty()) {
    message_ = "changes not saved: save them (Ctrl+S) or undo them before opening another pack";
    messageBad_ = true;
    return;
  }
  packs_ = ListPacks(places_.Packs, proof_.Log());
  packChoice_ = -1;
  prompt_ = TPrompt::Open;
  s_.TypingArg = -1;
  s_.Typed.clear();
}

void TEditorApp::OpenKey(int32_t key, uint32_t shift) {
  const int32_t count = static_cast<int32_t>(packs_.size());
  if (key == vk::Escape) {
    prompt_ = TPrompt::None;
  } else if ((key == vk::Up || key == vk::Down) && count > 0) {
    packChoice_ = key == vk::Up ? (packChoice_ <= 0 ? count - 1 : packChoice_ - 1)
                               : (packChoice_ + 1) % count;
    s_.Typed = packs_[packChoice_].Name;
  } else if (key == vk::Back) {
    if (!s_.Typed.empty()) s_.Typed.pop_back();
  } else if (const char c = NameChar(key, shift)) {
    s_.Typed += c;
  } else if (key == vk::Return && !s_.Typed.empty()) {
    // A name is a pack of the packs' folder; a path is taken as it is.
    std::string path = s_.Typed;
    if (path.find_first_of("/\\") == std::string::npos) {
      path = places_.Packs + path;
      if (!path.ends_with(".dat")) path += ".dat";
    }
    prompt_ = TPrompt::None;
    try {
      message_ = OpenPackFile(m_, path);
      messageBad_ = !m_.OpenMessages().empty();
      m_.Select(0);
    } catch (const std::exception& e) {
      message_ = e.what();
      messageBad_ = true;
    }
    s_.Typed.clear();
  }
}
