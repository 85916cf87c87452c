#include "front/records_window.h"

#include <cstdio>
#include <filesystem>

#include "core/globals.h"
#include "core/settings.h"
#include "core/sound.h"
#include "front/high_scores.h"
#include "platform/keys.h"
#include "front/screen_calls.h"
#include "game/main_form.h"
#include "game/replay_recorder.h"
#include "game/screen_text.h"
#include "game/text_canvas.h"
#include "game/world_scores.h"
#include "pixels/pill.h"
#include "platform/paths.h"

std::unique_ptr<TRecordsWindow> RecordsWindow;

namespace {

// Row colours by rank, as 0x00BBGGRR: red, yellow, blue, white.
uint32_t RankColour(int32_t rank) {
  if (rank == 1) return 0x3A34D8;
  if (rank <= 3) return 0x3FD2FF;
  if (rank <= 6) return 0xA85F1F;
  return 0xFFFFFF;
}

constexpr uint32_t kShadow = 0x33241A;  // the navy of the game's outlines

// Digits of the score, with leading zeros up to six.
std::string ScoreText(int32_t points) {
  std::string s = std::to_string(points);
  if (points >= 0 && s.size() < 6) s.insert(0, 6 - s.size(), '0');
  return s;
}

// The table's file name, by which the world ranks are kept.
std::string TableName() {
  return paths::Utf8Of(paths::PathOf(HighScoreFile()).filename());
}

// The replay of the score just named goes to the world table.
void ShareScore(const THighScoreEntry& e) {
  if (G.TryingOut || LastReplayFile().empty()) return;
  world::QueueScore(LastReplayFile(), TableName(), e.Points, e.Name());
}

}  // namespace

void TRecordsWindow::Show(bool enter, int32_t score) {
  BlinkStart = G.LevelTicks;
  Asking = false;
  AnswerKeyDown = false;
  covered_ = false;
  const int32_t rank = enter ? ScoreRank(score) : 0;
  Entering = rank > 0;  // a score without a place has no row to name
  if (Entering) {
    EditRank = rank;
    CursorOn = false;
    InsertHighScore(rank, score);
  }
  SavedState = G.GameState;
  G.GameState = gsHighScores;
}

void TRecordsWindow::Draw() {
  TSurface* s = ScreenSurface();
  if (!s) return;
  if (SavedState == gsMenu) DrawTitle();
  if (Entering) {
    if (G.LevelTicks - BlinkStart >= 150) {
      BlinkStart = G.LevelTicks;
      CursorOn = !CursorOn;
    }
  } else if (!Asking) {
    if (covered_) {
      // The question's place as it was before it came.
      covered_ = false;
      if (under_.Format() == s->Format())
        s->CopyFrom(QuestionArea.Left, QuestionArea.Top, under_, under_.ClientRect());
    }
    DrawPressAnyKey(400);
  }
  DrawPanel(380, 260);
  TTextCanvas canvas(*s, "Arial", 16, false);
  for (int32_t n = 1; n <= kHighScoreCount; ++n) {
    const THighScoreEntry& e = HighScores[n - 1];
    const int32_t y = 90 + 25 * n;
    std::string name = e.Name();
    if (Entering && CursorOn && n == EditRank) name += '_';
    const std::string score = ScoreText(e.Points);
    const int32_t scoreX = 500 - canvas.TextWidth(score);
    // Each line gets a hard navy shadow a pixel down and right, so it reads on the light panel.
    for (const bool shadow : {true, false}) {
      const int32_t d = shadow ? 1 : 0;
      const uint32_t c = shadow ? kShadow : RankColour(n);
      canvas.TextOut(140 + d, y + d, std::to_string(n) + ".", c);
      canvas.TextOut(180 + d, y + d, name, c);
      canvas.TextOut(scoreX + d, y + d, score, c);
    }
  }
  // Each row's place in the world table, when known: "world 12" between the name and the
  // score, smaller, in the row's colour.
  TTextCanvas small(*s, "Arial", 12, false);
  for (int32_t n = 1; n <= kHighScoreCount; ++n) {
    const THighScoreEntry& e = HighScores[n - 1];
    if (e.Points <= 0) continue;
    const int32_t rank = world::WorldRank(TableName(), e.Points, e.Name());
    if (rank <= 0) continue;
    char text[24];
    std::snprintf(text, sizeof text, "world %d", rank);
    const int32_t x = 420 - small.TextWidth(text), y = 90 + 25 * n + 3;
    small.TextOut(x + 1, y + 1, text, kShadow);
    small.TextOut(x, y, text, RankColour(n));
  }
  if (Entering) DrawStringCentred(80, "Enter Your Name:");
  if (Asking) {
    if (!covered_) {
      covered_ = true;
      under_ = TSurface(QuestionArea.Width(), QuestionArea.Height(), s->Format());
      under_.CopyFrom(0, 0, *s, QuestionArea);
    }
    DrawStringCentred(390, "Share my scores in the world table?");
    for (const bool yes : {true, false}) {
      const TRect& r = yes ? YesButton : NoButton;
      const bool hot = SavedState == gsMenu && PointerInRect(r);
      DrawPill(*s, r, {yes == YesFocused, hot, false});
      const std::string caption = yes ? "Yes" : "No";
      DrawString(r.Left + (r.Width() - TextWidth(caption)) / 2, r.Top + 7, caption);
    }
  }
  if (SavedState == gsMenu) DrawSoftCursor();
  MainForm->DXDraw.Flip();
}

void TRecordsWindow::TypeChar(char c) {
  if (!Entering) return;
  PlaySound("Key");
  THighScoreEntry& e = HighScores[EditRank - 1];
  const auto b = static_cast<unsigned char>(c);
  switch (b) {
    case 8:
      if (e.Length > 0) --e.Length;
      break;
    case 13:
      SaveHighScores();
      Entering = false;
      NameEntered();
      if (CursorOn) Draw();
      break;
    case 27:
      e.Length = 0;
      break;
    default:
      // Other control characters have no letter to show.
      if (b < 32 || b == 127) break;
      if (e.Length < 12) e.Chars[e.Length++] = c;
      break;
  }
}

void TRecordsWindow::NameEntered() {
  // Without a world table for this run (the tools, the tests) there is nothing to ask.
  if (world::Server().empty()) return;
  switch (ShareChoice()) {
    case scNotAsked:
      Asking = true;
      YesFocused = true;
      break;
    case scShare:
      ShareScore(HighScores[EditRank - 1]);
      break;
    default:
      break;
  }
}

void TRecordsWindow::Answer(bool share) {
  if (!Asking) return;
  Asking = false;
  PlaySound("Key");
  SaveShareChoice(share ? scShare : scDontShare);
  if (share) ShareScore(HighScores[EditRank - 1]);
}

void TRecordsWindow::AskKey(int32_t key) {
  switch (key) {
    case vk::Y:
      Answer(true);
      AnswerKeyDown = true;
      break;
    case vk::N:
    case vk::Escape:
      Answer(false);
      AnswerKeyDown = true;
      break;
    case vk::Return:
    case vk::Space:
      Answer(YesFocused);
      AnswerKeyDown = true;
      break;
    case vk::Left:
    case vk::Right:
    case vk::Up:
    case vk::Down:
      YesFocused = !YesFocused;
      break;
    default:
      break;
  }
}

void TRecordsWindow::AskClick(int32_t x, int32_t y) {
  auto inside = [x, y](const TRect& r) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
  };
  if (inside(YesButton)) Answer(true);
  if (inside(NoButton)) Answer(false);
}

void DrawHighScores() {
  if (RecordsWindow) RecordsWindow->Draw();
}

void RecordsFrame() {
  DrawHighScores();
}

bool RecordsEntering() {
  return RecordsWindow && RecordsWindow->Entering;
}

void LeaveHighScores() {
  if (RecordsWindow) G.GameState = RecordsWindow->SavedState;
}

bool RecordsAsking() {
  return RecordsWindow && RecordsWindow->Asking;
}

bool RecordsHoldKeyUp() {
  if (!RecordsWindow) return false;
  if (RecordsWindow->Asking) return true;
  const bool answered = RecordsWindow->AnswerKeyDown;
  RecordsWindow->AnswerKeyDown = false;
  return answered;
}

void RecordsAskKey(int32_t key) {
  if (RecordsWindow) RecordsWindow->AskKey(key);
}

void RecordsAskClick(int32_t x, int32_t y) {
  if (RecordsWindow) RecordsWindow->AskClick(x, y);
}

void NameEntryChar(char c) {
  if (RecordsWindow) RecordsWindow->TypeChar(c);
}

void ShowHighScores(bool enter, int32_t score) {
  LoadHighScoresOnce();
  RecordsWindow->Show(enter, score);
}
