#include "tools/editor/editor_app.h"

#include <cstdio>

#include "tools/editor/editor_draw.h"

using namespace editor_draw;

// The message area under the level: the prompt shown, or the last message and the level's
// problems.

void TEditorApp::DrawMessages() {
  Fill(picture_, MessageArea, 0x04578F);
  int32_t y = MessageArea.Top + 3;
  bool shareBad = false;
  const std::string shareLine = share_.Line(shareBad);
  if (prompt_ == TPrompt::None && !shareLine.empty()) {
    Text(picture_, 8, y, shareLine, shareBad ? Heart : Gold);
    y += 15;
  } else if (prompt_ == TPrompt::SaveAs) {
    Text(picture_, 8, y,
         "Save as pack: " + s_.Typed + "_   (Enter saves in " + places_.Packs + ", Esc leaves)",
         Gold);
    y += 15;
  } else if (prompt_ == TPrompt::Recover) {
    Text(picture_, 8, y,
         "Changes to this pack were not saved when the editor last stopped: R brings them back, "
         "Esc throws them away",
         Gold);
    y += 15;
  } else if (prompt_ == TPrompt::Close) {
    Text(picture_, 8, y, "Changes not saved: S saves them, D throws them away, Esc goes back",
         Gold);
    y += 15;
  } else if (prompt_ == TPrompt::Open) {
    Text(picture_, 8, y,
         "Open pack: " + s_.Typed + "_   (Up and Down choose, Enter opens, Esc leaves)", Gold);
    y += 15;
    if (packs_.empty()) Text(picture_, 8, y, "No packs yet in " + places_.Packs, Cream);
    // Three columns, as many rows as the message area holds.
    for (size_t i = 0; i < packs_.size() && i < 12; ++i) {
      const int32_t x = 8 + static_cast<int32_t>(i % 3) * 210;
      const int32_t row = y + static_cast<int32_t>(i / 3) * 15;
      const bool chosen = static_cast<int32_t>(i) == packChoice_;
      Text(picture_, x, row, (chosen ? "> " : "") + DescribePack(packs_[i]),
           chosen ? Gold : packs_[i].Proved >= LevelSetSize ? 0x9BDB5C : Cream);
    }
    return;
  } else if (!message_.empty()) {
    Text(picture_, 8, y, message_, messageBad_ ? Heart : Gold);
    y += 15;
  }
  const std::vector<TLevelProblem> problems = m_.Problems();
  int32_t shown = 0;
  for (const TLevelProblem& p : problems) {
    if (y > MessageArea.Bottom - 16) break;
    Text(picture_, 8, y, (p.Error ? "error: " : "warning: ") + p.Text, p.Error ? 0xFF8FA0 : Cream);
    y += 15;
    ++shown;
  }
  if (shown < static_cast<int32_t>(problems.size())) {
    char more[32];
    std::snprintf(more, sizeof more, "+%d more", static_cast<int>(problems.size()) - shown);
    Text(picture_, 560, MessageArea.Bottom - 16, more, Cream);
  }
  if (problems.empty() && prompt_ == TPrompt::None) {
    Text(picture_, 8, y, m_.HasErrors() ? "" : "No problems found: F9 proves the level", Cream);
  }
}
