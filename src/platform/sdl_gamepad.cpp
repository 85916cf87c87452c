#include "platform/sdl_gamepad.h"

#include <cstdio>
#include <cstdlib>

#include "platform/keys.h"

namespace {

// A centre reading further than this from the middle of the range means the stick was held
// when the pad was opened; the middle is taken instead.
constexpr int32_t MaxCentreOffset = 8192;

// With no pad in use and the pads read by hand, how often to look for one plugged in.
constexpr uint32_t LookInterval = 250;

int32_t MeasuredCentre(int32_t reading) {
  return std::abs(reading - 32768) > MaxCentreOffset ? 32768 : reading;
}

}  // namespace

int32_t TSdlGamepads::ReadAxis(SDL_GameController* c, SDL_GameControllerAxis axis) {
  return int32_t{SDL_GameControllerGetAxis(c, axis)} + 32768;  // 0 .. 65535
}

int32_t TSdlGamepads::KeyFor(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return vk::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return vk::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return vk::Right;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return vk::Down;
    case SDL_CONTROLLER_BUTTON_A:  // the south face button
      return vk::Return;
    case SDL_CONTROLLER_BUTTON_B:  // the east face button
      return vk::Escape;
    case SDL_CONTROLLER_BUTTON_START:
      return vk::Pause;
    default:
      return 0;
  }
}

void TSdlGamepads::Open(int deviceIndex) {
  if (pad_ || !SDL_IsGameController(deviceIndex)) return;
  pad_.reset(SDL_GameControllerOpen(deviceIndex));
  if (!pad_) {
    std::fprintf(stderr, "Tarvelle: cannot open the game pad: %s\n", SDL_GetError());
    return;
  }
  padId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_.get()));
  // The stick at rest, as this pad reports it.
  SDL_GameControllerUpdate();
  centreX_ = MeasuredCentre(ReadAxis(pad_.get(), SDL_CONTROLLER_AXIS_LEFTX));
  centreY_ = MeasuredCentre(ReadAxis(pad_.get(), SDL_CONTROLLER_AXIS_LEFTY));
}

void TSdlGamepads::OpenConnected() {
  for (int i = 0; i < SDL_NumJoysticks() && !pad_; ++i) Open(i);
}

bool TSdlGamepads::Translate(const SDL_Event& ev, TInputEvent& e) {
  switch (ev.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (pad_) return false;
      Open(ev.cdevice.which);
      if (!pad_) return false;
      e.Kind = TInputEvent::PadAdded;
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (!pad_ || ev.cdevice.which != padId_) return false;
      pad_.reset();
      padId_ = -1;
      // Another pad still plugged in takes over.
      for (int i = 0; i < SDL_NumJoysticks() && !pad_; ++i) Open(i);
      e.Kind = TInputEvent::PadRemoved;
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      if (ev.cbutton.which != padId_) return false;
      const int32_t key = KeyFor(ev.cbutton.button);
      if (key == 0) return false;
      e.Kind = ev.type == SDL_CONTROLLERBUTTONDOWN ? TInputEvent::KeyDown : TInputEvent::KeyUp;
      e.Key = key;
      return true;
    }
    default:
      return false;
  }
}

TPadStick TSdlGamepads::Stick() const {
  TPadStick s;
  if (!pad_) return s;
  s.Connected = true;
  s.X = ReadAxis(pad_.get(), SDL_CONTROLLER_AXIS_LEFTX);
  s.Y = ReadAxis(pad_.get(), SDL_CONTROLLER_AXIS_LEFTY);
  s.CentreX = centreX_;
  s.CentreY = centreY_;
  return s;
}

void TSdlGamepads::SetReadByHand(bool on) {
  byHand_ = on;
  SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, on ? "0" : "1");
}

void TSdlGamepads::Read() {
  if (!byHand_) return;
  const uint32_t now = SDL_GetTicks();
  if (!pad_ && now - lastLook_ < LookInterval) return;
  lastLook_ = now;
  SDL_GameControllerUpdate();
}
