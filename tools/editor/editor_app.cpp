#include "tools/editor/editor_app.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/keys.h"
#include "core/pad.h"
#include "tools/editor/editor_draw.h"
#include "tools/editor/editor_pond.h"

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TEditorApp::TEditorApp(TEditorModel& model, TEditorPlaces places, std::string message)
    : m_(model),
      places_(std::move(places)),
      game_(std::make_unique<TLevelPicture>(places_.Game)),
      proof_(places_.Program, places_.Proofs),
      rate_(places_.Program),
      try_(places_.GameProgram),
      recovery_(places_.Recovery, m_),
      picture_(EditorWidth, EditorHeight),
      message_(std::move(message)) {
  // A file refused, or opened with damaged levels; not a pack opened whole or a new one.
  messageBad_ = !message_.empty() && (m_.Path().empty() || !m_.OpenMessages().empty());
  if (recovery_.Offered(m_.Path())) prompt_ = TPrompt::Recover;
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
    if (window.WaitEvent(e, routeGoesOn_ ? 16 : proving || rate_.Busy() ? 50 : 250)) {
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
      proof_.Poll(m_.Current() + 1);
      s_.Proof = proof_.Status();
    }
    rate_.Update(m_.Level(), !m_.HasErrors(), s_.PlayDifficulty, try_.Running(), NowMs(),
                 m_.Current() + 1);
    if (routeGoesOn_) routeGoesOn_ = game_->StepRoute();
    std::string outcome;
    if (try_.Ended(outcome, messageBad_)) {
      message_ = outcome;
      std::printf("%s\n", message_.c_str());  // for the record of a session, as proofs
      std::fflush(stdout);
    }
    if (prompt_ != TPrompt::Recover) recovery_.Keep(m_);
    window.Present(Compose());
  }
  recovery_.Stop();  // saved or thrown away on purpose
  proof_.Stop();
  rate_.Stop();
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
  if (share_.Key(key, shift)) return;
  if (prompt_ != TPrompt::None) {
    PromptKey(key, shift);
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

void TEditorApp::Prove() {
  proof_.StartOrStop(m_.Level());
  s_.Proof = proof_.Status();
}

void TEditorApp::Play() {
  if (m_.HasErrors()) {
    message_ = "mend the level first: its errors keep the game from building it";
    messageBad_ = true;
    return;
  }
  if (try_.Running()) return;  // the game window is open
  std::string error;
  if (!try_.Start(m_.Level(), s_.PlayDifficulty, &error)) {
    message_ = "cannot play the level: " + error;
    messageBad_ = true;
    return;
  }
  message_ = "playing the level at difficulty " + std::to_string(s_.PlayDifficulty) +
             " in the game window: Esc there comes back";
  messageBad_ = false;
}

void TEditorApp::Watch() {
  const TProofResult& route = s_.Proof.Results[s_.PlayDifficulty - 1];
  if (!route.Won || !(m_.Level() == proof_.Proved())) return;
  game_->StartRoute(proof_.Proved(), s_.PlayDifficulty, route.Steps);
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

const TSurface& TEditorApp::Compose() {
  DrawLevel();
  DrawMessages();
  s_.ProofStale = proof_.Started() && !(m_.Level() == proof_.Proved());
  s_.Rate = rate_.Text();
  s_.RateBad = !rate_.Status().Error.empty();
  const TRateStatus& rate = rate_.Status();
  s_.RateProgress =
      rate.Running && rate.Total > 0 ? static_cast<double>(rate.Played) / rate.Total : -1;
  widgets_ = BuildPanel(m_, s_);
  DrawPanel(picture_, widgets_, m_, s_);
  return picture_;
}
