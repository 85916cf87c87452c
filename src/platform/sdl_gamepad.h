#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/sdl_handles.h"
#include "platform/video.h"

struct TSdlControllerDeleter {
  void operator()(SDL_GameController* c) const { SDL_GameControllerClose(c); }
};
using TSdlController = std::unique_ptr<SDL_GameController, TSdlControllerDeleter>;

// The game pads, through SDL's game-controller interface: one pad is used at a time (the first
// plugged in); pads can come and go while the game runs. The D-pad and the face buttons become
// key events, the left stick is read as a position.
class TSdlGamepads {
 public:
  TSdlGamepads() : subsystem_(SDL_INIT_GAMECONTROLLER) {}

  // Turns a controller event into a game event; false for events that are not the game's.
  bool Translate(const SDL_Event& ev, TInputEvent& e);
  // Opens the first pad already plugged in, when none is in use.
  void OpenConnected();
  // The left stick of the pad in use.
  TPadStick Stick() const;
  // SDL reads the pads, and looks for new ones, at every pump of its events. A window that pumps
  // them at every frame reads them by hand instead (Read before each pump): the pad in use at
  // every call, and with none in use a look for a new one a few times a second, not sixty.
  void SetReadByHand(bool on);
  void Read();

 private:
  void Open(int deviceIndex);
  static int32_t ReadAxis(SDL_GameController* c, SDL_GameControllerAxis axis);
  static int32_t KeyFor(uint8_t button);

  TSdlSubsystem subsystem_;
  TSdlController pad_;
  SDL_JoystickID padId_ = -1;
  int32_t centreX_ = 32768, centreY_ = 32768;
  bool byHand_ = false;
  uint32_t lastLook_ = 0;
};
