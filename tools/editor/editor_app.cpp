#include "tools/editor/editor_app.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "platform/keys.h"
#include "game/in_out_error.h"
#include "core/pad.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "tools/editor/editor_draw.h"
#include "tools/editor/editor_pond.h"
#include "tools/editor/try_outcome.h"

using namespace editor_draw;

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

TEditorApp::TEditorApp(TEditorModel& model, TEditorPlaces places, std::string message)
    : m_(model),
      places_(std::move(places)),
      game_(std::make_unique<TLevelPicture>(places_.Game)),
      prover_(places_.Program),
      recovery_(places_.Recovery),
      proofs_(places_.Proofs),
      picture_(EditorWidth, EditorHeight),
      message_(std::move(message)) {
  // A file refused, or opened with damaged levels; not a pack opened whole or a new one.
  messageBad_ = !message_.empty() && (m_.Path().empty() || !m_.OpenMessages().empty());
  if (recovery_.Exists(m_.Path())) prompt_ = TPrompt::Recover;
  recoveryMark_ = m_.Mark();
}

// A copy of the unsaved levels at most every two seconds; none once they are saved.
void TEditorApp::KeepRecoveryCopy() {
  if (prompt_ == TPrompt::Recover) return;
  if (!m_.Dirty()) {
    if (kept_) recovery_.Drop(keptFor_);
    kept_ = false;
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (m_.Mark() == recoveryMark_ || (kept_ && now - keptAt_ < std::chrono::seconds(2))) return;
  if (kept_ && keptFor_ != m_.Path()) recovery_.Drop(keptFor_);
  if (recovery_.Keep(m_, m_.Path())) {
    kept_ = true;
    keptFor_ = m_.Path();
    keptAt_ = now;
    recoveryMark_ = m_.Mark();
  }
}

bool TEditorApp::CellAt(int32_t x, int32_t y, int32_t& cx, int32_t& cy) const {
  return PondCellAt(m_.Level(), x, y, cx, cy);
}

void TEditorApp::Run(ILauncherWindow& window) {
  window.Show("Tarvelle level editor", EditorWidth, EditorHeight);
  window.Present(Compose());
  while (!quit_) {
    TLauncherInput e;
    const bool proving = s_.Proof.Running;
    if (window.WaitEvent(e, routeGoesOn_ ? 16 : proving ? 50 : 250)) {
      if (watching_ && !routeGoesOn_ &&
          (e.Kind == TLauncherInput::KeyDown || e.Kind == TLauncherInput::MouseDown)) {
        watching_ = false;  // the end of the route stays until a key or a click
        haveDrawn_ = false;
        window.Present(Compose());
        continue;
      }
      switch (e.Kind) {
        case TLauncherInput::KeyDown:
          Key(e.Key, e.Shift);
          break;
        case TLauncherInput::MouseDown:
          Click(e.X, e.Y, e.Button);
          break;
        case TLauncherInput::MouseMove:
          Drag(e.X, e.Y);
          break;
        case TLauncherInput::MouseUp:
          painting_ = false;
          m_.EndStroke();
          break;
        case TLauncherInput::Close:
          if (!m_.Dirty()) {
            quit_ = true;
          } else {
            prompt_ = TPrompt::Close;
          }
          break;
        default:
          break;
      }
    }
    if (proving) {
      s_.Proof = prover_.Status();
      if (!s_.Proof.Running) {
        ReportProof();
        const auto& r = s_.Proof.Results;
        std::string error;
        if (std::all_of(r.begin(), r.end(), [](const TProofResult& d) { return d.Won; }) &&
            !proofs_.Add(proved_, &error))
          std::fprintf(stderr, "tarvelle-editor: cannot keep the proof: %s\n", error.c_str());
      }
    }
    if (routeGoesOn_) routeGoesOn_ = game_->StepRoute();
    if (!playFolder_.empty()) {
      for (std::string line; game_window_.ReadLine(line);) tryLines_.push_back(line);
      if (!game_window_.Running()) {
        for (std::string line; game_window_.ReadLine(line);) tryLines_.push_back(line);
        message_ = TryOutcome(tryLines_, game_window_.ExitStatus(), messageBad_);
        std::printf("%s\n", message_.c_str());  // for the record of a session, as proofs
        std::fflush(stdout);
        std::error_code ec;
        std::filesystem::remove_all(playFolder_, ec);
        playFolder_.clear();
      }
    }
    KeepRecoveryCopy();
    window.Present(Compose());
  }
  if (kept_) recovery_.Drop(keptFor_);  // saved or thrown away on purpose
  prover_.Stop();
  window.Hide();
}

void TEditorApp::Click(int32_t x, int32_t y, int32_t button) {
  if (prompt_ == TPrompt::SaveAs || prompt_ == TPrompt::Recover) return;
  int32_t cx = 0, cy = 0;
  if (CellAt(x, y, cx, cy)) {
    Commit();
    s_.CellX = cx;
    s_.CellY = cy;
    Brush(cx, cy, button != 0, true);
    return;
  }
  for (const TWidget& w : widgets_) {
    if (x >= w.Rect.Left && x < w.Rect.Right && y >= w.Rect.Top && y < w.Rect.Bottom) {
      const TWidget copy = w;
      Do(copy);
      return;
    }
  }
  Commit();
}

void TEditorApp::Drag(int32_t x, int32_t y) {
  int32_t cx = 0, cy = 0;
  if (painting_ && CellAt(x, y, cx, cy)) Brush(cx, cy, paintRight_, false);
}

void TEditorApp::Brush(int32_t cx, int32_t cy, bool right, bool first) {
  const int32_t tool = right ? ttWater : s_.Tool;
  if (tool <= ttRandom) {
    if (first) {
      m_.BeginStroke();
      painting_ = true;
      paintRight_ = right;
    }
    m_.Paint(cx, cy, static_cast<uint8_t>(tool));
    return;
  }
  if (!first) return;
  if (tool == ttDragon) m_.PlaceDragon(cx, cy);
  if (tool == ttDiamond) m_.PlaceDiamond(cx, cy);
  if (tool == ttClear) m_.ClearObjects(cx, cy);
  TLevelObject o;
  if (tool >= ttFood && tool < ttFood + 5) o = {otFood, static_cast<uint32_t>(tool - ttFood)};
  if (tool >= ttBonus && tool < ttBonus + 5) o = {otBonus, static_cast<uint32_t>(tool - ttBonus)};
  if (tool >= ttMonster && tool < ttMonster + 3) {
    o = {otMonster, static_cast<uint32_t>(tool - ttMonster)};
  }
  if (o.ObjType != otNone && !m_.AddObject(cx, cy, o)) {
    message_ = "the cell's five object slots are taken: Clear it first";
    messageBad_ = true;
  }
}

void TEditorApp::StartTyping(TAction action, int32_t arg) {
  s_.TypingAction = action;
  s_.TypingArg = arg;
  s_.Typed.clear();
  s_.Refused = false;
}

// Takes the number being typed; a refused one stays to be mended.
void TEditorApp::Commit() {
  if (s_.TypingArg < 0) return;
  if (s_.Typed.empty()) {
    s_.TypingArg = -1;
    return;
  }
  const int32_t v = static_cast<int32_t>(std::min<long>(std::stol(s_.Typed), 1000000));
  std::string refusal;
  switch (s_.TypingAction) {
    case TAction::LevelField:
      refusal = m_.SetLevelField(static_cast<TLevelField>(s_.TypingArg), v);
      break;
    case TAction::CellField:
      refusal = m_.SetCellField(s_.CellX, s_.CellY, static_cast<TCellField>(s_.TypingArg), v);
      break;
    case TAction::FoodShare:
      refusal = m_.SetFoodShare(s_.TypingArg, v);
      break;
    case TAction::BonusCount:
      refusal = m_.SetBonusCount(s_.TypingArg, v);
      break;
    default:
      break;
  }
  if (!refusal.empty()) {
    message_ = "refused: " + refusal;
    messageBad_ = true;
    s_.Typed.clear();
    s_.Refused = true;
    return;
  }
  message_.clear();
  s_.TypingArg = -1;
}

void TEditorApp::Do(const TWidget& w) {
  Commit();
  switch (w.Action) {
    case TAction::Tool:
      s_.Tool = w.Arg;
      break;
    case TAction::LevelField:
    case TAction::CellField:
    case TAction::FoodShare:
    case TAction::BonusCount:
      StartTyping(w.Action, w.Arg);
      message_ = "type " + RangeText(w) + ", Enter to take it, Esc to leave it";
      messageBad_ = false;
      break;
    case TAction::PrevLevel:
      m_.Select(m_.Current() - 1);
      break;
    case TAction::NextLevel:
      m_.Select(m_.Current() + 1);
      break;
    case TAction::CopyLevel:
      m_.CopyLevel();
      break;
    case TAction::PasteLevel:
      m_.PasteLevel();
      break;
    case TAction::MoveUp:
      m_.MoveLevel(m_.Current(), m_.Current() - 1);
      break;
    case TAction::MoveDown:
      m_.MoveLevel(m_.Current(), m_.Current() + 1);
      break;
    case TAction::RandomDiamond:
      m_.DiamondToRandomIsland();
      break;
    case TAction::Save:
      Save(false);
      break;
    case TAction::SaveAs:
      Save(true);
      break;
    case TAction::Prove:
      Prove();
      break;
    case TAction::Undo:
      m_.Undo();
      break;
    case TAction::Redo:
      m_.Redo();
      break;
    case TAction::Play:
      Play();
      break;
    case TAction::PlayDifficulty:
      s_.PlayDifficulty = w.Arg;
      break;
    case TAction::Watch:
      Watch();
      break;
  }
  if (s_.CellX > PondCols(m_.Level()) || s_.CellY > PondRows(m_.Level())) s_.CellX = s_.CellY = 0;
}

void TEditorApp::Key(int32_t key, uint32_t shift) {
  if (prompt_ == TPrompt::Recover) {
    if (key == 'R') {
      try {
        recovery_.Restore(m_, m_.Path(), places_.ReadOnly);
        message_ = "the unsaved changes are back: save them to keep them";
        messageBad_ = false;
        recoveryMark_ = 0;  // a copy is kept again at once, and dropped once saved
        kept_ = true;
        keptFor_ = m_.Path();
      } catch (const std::exception& e) {
        message_ = std::string("the recovery copy can't be read: ") + e.what();
        messageBad_ = true;
      }
      prompt_ = TPrompt::None;
    } else if (key == vk::Escape) {
      recovery_.Drop(m_.Path());
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
    return;
  }
  if (s_.TypingArg >= 0) {
    if (key >= '0' && key <= '9' && s_.Typed.size() < 6) s_.Typed += static_cast<char>(key);
    if (key == vk::Back && !s_.Typed.empty()) s_.Typed.pop_back();
    if (key == vk::Return || key == vk::Tab) Commit();
    if (key == vk::Escape) {
      s_.TypingArg = -1;
      message_.clear();
    }
    return;
  }
  if (shift & vk::ssCtrl) {
    if (key == 'Z') (shift & vk::ssShift) ? m_.Redo() : m_.Undo();
    if (key == 'Y') m_.Redo();
    if (key == 'S') Save((shift & vk::ssShift) != 0);
    if (key == 'O') AskWhichToOpen();
    if (key == 'C') m_.CopyLevel();
    if (key == 'V') m_.PasteLevel();
    return;
  }
  if (key >= '0' && key <= '4') s_.Tool = key - '0';
  if (key == 'D') s_.Tool = ttDragon;
  if (key == 'G') s_.Tool = ttDiamond;
  if (key == vk::PageUp) m_.Select(m_.Current() - 1);
  if (key == vk::PageDown) m_.Select(m_.Current() + 1);
  if (key == vk::F9) Prove();
  if (key == vk::F5) Play();
  if (key == vk::Escape && s_.Proof.Running) Prove();
  if (s_.CellX > PondCols(m_.Level()) || s_.CellY > PondRows(m_.Level())) s_.CellX = s_.CellY = 0;
}

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
  } else {
    message_ = "not saved: " + error;
    messageBad_ = true;
  }
  s_.Typed.clear();
}

void TEditorApp::AskWhichToOpen() {
  if (m_.Dirty()) {
    message_ = "changes not saved: save them (Ctrl+S) or undo them before opening another pack";
    messageBad_ = true;
    return;
  }
  packs_ = ListPacks(places_.Packs, proofs_);
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

void TEditorApp::Prove() {
  if (s_.Proof.Running) {
    prover_.Stop();
    s_.Proof = prover_.Status();
    return;
  }
  proved_ = m_.Level();
  proofStarted_ = prover_.Start(proved_);
  s_.Proof = prover_.Status();
}

// The proof's results on the standard output too, for the record of a session.
void TEditorApp::ReportProof() const {
  for (const TProofResult& r : s_.Proof.Results) {
    if (!r.Done) continue;
    std::printf("level %d, difficulty %d: %s", m_.Current() + 1, r.Difficulty,
                r.Won ? "won" : "no win found");
    if (r.Won) std::printf(", %d s left, energy %d", r.TimeLeft, r.Energy);
    std::printf("\n");
  }
  if (s_.Proof.Stopped) std::printf("level %d: proof stopped\n", m_.Current() + 1);
  std::fflush(stdout);
}

void TEditorApp::Play() {
  if (m_.HasErrors()) {
    message_ = "mend the level first: its errors keep the game from building it";
    messageBad_ = true;
    return;
  }
  if (!playFolder_.empty()) return;  // the game window is open
  playFolder_ = process::MakeTemporaryFolder("tarvelle-editor-play-");
  tryLines_.clear();
  const std::string file = playFolder_ + "/try.dat";
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(m_.Level(), record);
  std::string bytes;
  for (int32_t i = 0; i < TEditorModel::PackLevels; ++i) bytes.append(record.begin(), record.end());
  std::string error;
  if (playFolder_.empty() || !files::WriteAtomically(file, bytes, &error) ||
      !game_window_.Start({places_.GameProgram, "--try", "--levels", file, "--play", "--level",
                           "1", "--difficulty", std::to_string(s_.PlayDifficulty)},
                          &error)) {
    message_ = "cannot play the level: " + error;
    messageBad_ = true;
    std::error_code ec;
    if (!playFolder_.empty()) std::filesystem::remove_all(playFolder_, ec);
    playFolder_.clear();
    return;
  }
  message_ = "playing the level at difficulty " + std::to_string(s_.PlayDifficulty) +
             " in the game window: Esc there comes back";
  messageBad_ = false;
}

void TEditorApp::Watch() {
  const TProofResult& route = s_.Proof.Results[s_.PlayDifficulty - 1];
  if (!route.Won || !(m_.Level() == proved_)) return;
  game_->StartRoute(proved_, s_.PlayDifficulty, route.Steps);
  watching_ = routeGoesOn_ = true;
  message_ = "the player bot's route at difficulty " + std::to_string(s_.PlayDifficulty);
  messageBad_ = false;
}

void TEditorApp::DrawLevel() {
  if (watching_) {
    picture_.CopyFrom(0, 0, game_->Frame().Converted(picture_.Format()), {0, 0, 640, 480});
    return;
  }
  const TLevelRecord& r = m_.Level();
  if (!haveDrawn_ || !(r == drawn_) || drawnNo_ != m_.Current()) {
    drawn_ = r;
    drawnNo_ = m_.Current();
    haveDrawn_ = true;
    drawnOk_ = !m_.HasErrors();
    if (drawnOk_) {
      try {
        const TSurface& frame = game_->Draw(r, 1, m_.Current() + 1);
        picture_.CopyFrom(0, 0, frame.Converted(picture_.Format()), {0, 0, 640, 480});
      } catch (const std::exception&) {
        drawnOk_ = false;
      }
    }
  }
  if (!drawnOk_) DrawPlainPond(picture_, r);
  DrawPondMarks(picture_, r, m_.Problems(), s_.CellX, s_.CellY);
}

void TEditorApp::DrawMessages() {
  Fill(picture_, MessageArea, 0x04578F);
  int32_t y = MessageArea.Top + 3;
  if (prompt_ == TPrompt::SaveAs) {
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
           chosen ? Gold : packs_[i].Proved >= TEditorModel::PackLevels ? 0x9BDB5C : Cream);
    }
    return;
  } else if (!message_.empty()) {
    Text(picture_, 8, y, message_, messageBad_ ? Heart : Gold);
    y += 15;
  }
  const std::vector<TMarkedProblem> problems = m_.Problems();
  int32_t shown = 0;
  for (const TMarkedProblem& p : problems) {
    if (y > MessageArea.Bottom - 16) break;
    Text(picture_, 8, y, (p.Problem.Error ? "error: " : "warning: ") + p.Problem.Text,
         p.Problem.Error ? 0xFF8FA0 : Cream);
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

const TSurface& TEditorApp::Compose() {
  DrawLevel();
  DrawMessages();
  s_.ProofStale = proofStarted_ && !(m_.Level() == proved_);
  widgets_ = BuildPanel(m_, s_);
  DrawPanel(picture_, widgets_, m_, s_);
  return picture_;
}
