#pragma once
#include <memory>
#include <string>
#include <vector>

#include "pixels/surface.h"
#include "platform/launcher_window.h"
#include "tools/editor/editor_model.h"
#include "tools/editor/editor_panel.h"
#include "tools/editor/editor_proof.h"
#include "tools/editor/editor_rate.h"
#include "tools/editor/level_picture.h"
#include "tools/editor/level_try.h"
#include "tools/editor/pack_files.h"
#include "tools/editor/pack_share.h"
#include "tools/editor/recovery_keeper.h"

// Where the editor keeps packs and what it runs beside itself.
struct TEditorPlaces {
  std::string Packs;        // the packs' folder, with a trailing '/'
  std::string Program;      // this program, started again to prove levels and rate them
  std::string Game;         // the game's data folder (its pictures of the water)
  std::string GameProgram;  // the game, started to play a level
  std::string Recovery;     // where recovery copies are kept, with a trailing '/'
  std::string Proofs;       // the log of the levels proved (TProofLog)
  bool ReadOnly = false;    // the pack opened is read-only (for a recovered copy)
};

// The editor's window: the level drawn by the game with a grid over it, the panel beside it;
// the mouse paints, the keys and buttons do the rest. Its jobs live in files of their own: the
// loop and the editing (editor_app.cpp), the prompts (editor_prompts.cpp), saving
// (editor_saving.cpp), the message area (editor_messages.cpp); the recovery copies, the proofs,
// the win rate and the tries in the game are objects of their own (TRecoveryKeeper,
// TEditorProof, TEditorRate, TLevelTry).
class TEditorApp {
 public:
  TEditorApp(TEditorModel& model, TEditorPlaces places, std::string message);
  // Runs until the window is closed (asking first when changes are not saved).
  void Run(ILauncherWindow& window);
  // The window's picture as it is now (for tests and screenshots).
  const TSurface& Compose();

 private:
  enum class TPrompt { None, SaveAs, Close, Recover, Open };
  // The loop and the editing.
  void Click(int32_t x, int32_t y, int32_t button);
  void Drag(int32_t x, int32_t y);
  void Key(int32_t key, uint32_t shift);
  void Do(const TWidget& w);
  void Brush(int32_t cx, int32_t cy, bool right, bool first);
  bool CellAt(int32_t x, int32_t y, int32_t& cx, int32_t& cy) const;
  void Commit();
  void StartTyping(TAction action, int32_t arg);
  void Prove();
  void Play();
  void Watch();
  void DrawLevel();
  // The prompts.
  void PromptKey(int32_t key, uint32_t shift);
  void AskWhichToOpen();
  void OpenKey(int32_t key, uint32_t shift);
  // Saving.
  void Save(bool as);
  void FinishSaveAs();
  // The message area.
  void DrawMessages();

  TEditorModel& m_;
  TEditorPlaces places_;
  TPanelState s_;
  std::vector<TWidget> widgets_;
  std::unique_ptr<TLevelPicture> game_;
  TEditorProof proof_;
  TEditorRate rate_;  // the casual player's win rate, kept up to date
  TLevelTry try_;
  TRecoveryKeeper recovery_;
  TPackShare share_;  // the offer to share a pack saved with Save As
  std::vector<TPackEntry> packs_;  // the packs' folder, listed by Ctrl+O
  int32_t packChoice_ = -1;
  bool watching_ = false, routeGoesOn_ = false;
  TSurface picture_;
  TLevelRecord drawn_{};
  int32_t drawnNo_ = -1;
  bool drawnOk_ = false, haveDrawn_ = false;
  std::string message_;
  bool messageBad_ = false;
  TPrompt prompt_ = TPrompt::None;
  bool quitAfterSave_ = false, quit_ = false;
  bool painting_ = false, paintRight_ = false;
};
