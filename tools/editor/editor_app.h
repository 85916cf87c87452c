#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "pixels/surface.h"
#include "platform/launcher_window.h"
#include "tools/editor/editor_model.h"
#include "tools/editor/editor_panel.h"
#include "tools/editor/level_picture.h"
#include "tools/editor/pack_files.h"
#include "tools/editor/pack_share.h"
#include "tools/editor/prove_child.h"
#include "tools/editor/recovery.h"

// Where the editor keeps packs and what it runs beside itself.
struct TEditorPlaces {
  std::string Packs;        // the packs' folder, with a trailing '/'
  std::string Program;      // this program, started again to prove levels
  std::string Game;         // the game's data folder (its pictures of the water)
  std::string GameProgram;  // the game, started to play a level
  std::string Recovery;     // where recovery copies are kept, with a trailing '/'
  std::string Proofs;       // the log of the levels proved (TProofLog)
  bool ReadOnly = false;    // the pack opened is read-only (for a recovered copy)
};

// The editor's window: the level drawn by the game with a grid over it, the panel beside it;
// the mouse paints, the keys and buttons do the rest.
class TEditorApp {
 public:
  TEditorApp(TEditorModel& model, TEditorPlaces places, std::string message);
  // Runs until the window is closed (asking first when changes are not saved).
  void Run(ILauncherWindow& window);
  // The window's picture as it is now (for tests and screenshots).
  const TSurface& Compose();

 private:
  enum class TPrompt { None, SaveAs, Close, Recover, Open };
  void Click(int32_t x, int32_t y, int32_t button);
  void Drag(int32_t x, int32_t y);
  void Key(int32_t key, uint32_t shift);
  void Do(const TWidget& w);
  void Brush(int32_t cx, int32_t cy, bool right, bool first);
  bool CellAt(int32_t x, int32_t y, int32_t& cx, int32_t& cy) const;
  void Commit();
  void StartTyping(TAction action, int32_t arg);
  void Save(bool as);
  void FinishSaveAs();
  void AskWhichToOpen();
  void OpenKey(int32_t key, uint32_t shift);
  void Prove();
  void ReportProof() const;
  void Play();
  void Watch();
  void DrawLevel();
  void DrawMessages();
  void KeepRecoveryCopy();

  TEditorModel& m_;
  TEditorPlaces places_;
  TPanelState s_;
  std::vector<TWidget> widgets_;
  std::unique_ptr<TLevelPicture> game_;
  TProveChild prover_;
  TChildProcess game_window_;
  TRecovery recovery_;
  uint64_t recoveryMark_ = 0;
  std::string keptFor_;  // the pack whose recovery copy was written, if one was
  bool kept_ = false;
  std::chrono::steady_clock::time_point keptAt_{};
  std::string playFolder_;
  std::vector<std::string> tryLines_;  // what the game window wrote during a try
  TProofLog proofs_;
  TPackShare share_;  // the offer to share a pack saved with Save As
  std::vector<TPackEntry> packs_;  // the packs' folder, listed by Ctrl+O
  int32_t packChoice_ = -1;
  bool watching_ = false, routeGoesOn_ = false;
  TSurface picture_;
  TLevelRecord drawn_{};
  TLevelRecord proved_{};  // the level the proof is of
  bool proofStarted_ = false;
  int32_t drawnNo_ = -1;
  bool drawnOk_ = false, haveDrawn_ = false;
  std::string message_;
  bool messageBad_ = false;
  TPrompt prompt_ = TPrompt::None;
  bool quitAfterSave_ = false, quit_ = false;
  bool painting_ = false, paintRight_ = false;
};
