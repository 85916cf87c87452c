#pragma once
#include <cstdint>

struct TInputEvent;
class TMainForm;
class IVideoOutput;

// The character a key press types by itself (Backspace, Enter, Esc), 0 for none. With Alt held
// nothing is typed: Alt+Enter switches full screen and must not end a name being typed.
char KeyCharacter(int32_t key, uint32_t shift);

// The way out after errors that keep coming: quits the game as the menu's Exit does, saving the
// settings and the highest level; when quitting fails itself, still saves each of them.
void QuitAfterErrors(TMainForm& form);

// The game window's message loop: hands window events to the game window's handlers and runs
// the frame timer whenever no event is waiting.
class TApplication {
 public:
  TApplication(TMainForm& form, IVideoOutput& output) : form_(form), output_(output) {}

  // One event to the game window's handlers.
  void Dispatch(const TInputEvent& e);
  // All waiting events, the key repeat that is due, then one tick of the frame timer.
  void Step();
  // Runs until the game window has closed. An error that escapes a frame or a handler is
  // shown and the game goes on; errors that keep coming end the program (QuitAfterErrors).
  void Run();
  // Run in parts, for systems that call the program once a frame (the web browser): Begin
  // once, then Frame until the game window has closed.
  void Begin();
  void Frame();
  int ExitCode() const { return exitCode_; }

  // Key auto-repeat of a held key: the first repeat after 250 ms, then every 33 ms.
  static constexpr uint32_t kRepeatDelay = 250;
  static constexpr uint32_t kRepeatInterval = 33;
  // Game pad position reports: in the menus (four reports a step) about four steps a second;
  // in play often enough that a held stick hops the Dragon again just after it lands.
  static constexpr uint32_t kPadReportMenu = 62;
  static constexpr uint32_t kPadReportPlay = 30;

 private:
  void KeyDown(int32_t key, uint32_t shift);
  void RepeatHeldKey();
  void FollowTextInput();
  void ReportPad();

  TMainForm& form_;
  IVideoOutput& output_;
  int32_t heldKey_ = 0;
  uint32_t heldShift_ = 0;
  uint32_t nextRepeat_ = 0;
  bool textInput_ = false;
  uint32_t lastPadReport_ = 0;
  uint32_t lastError_ = 0;
  int errorsInARow_ = 0;
  int exitCode_ = 0;
};
