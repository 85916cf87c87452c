#include <SDL.h>

#include "platform/audio_device.h"
#include "platform/quiet_audio.h"
#include "platform/sdl_handles.h"

namespace {

// After a device that would not open, SDL's audio is shut down on a thread of its own: quitting
// it waits for its ALSA device watcher to wake (up to a tenth of a second), which would hold back
// the game's frames; left running, the watcher wakes ten times a second and reads the whole ALSA
// configuration every five seconds, for a device that is not there.
SDL_Thread* audioShutdown = nullptr;

int ShutDownAudio(void*) {
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return 0;
}

void ShutDownAudioAside() {
  FinishAudioShutdown();
  audioShutdown = SDL_CreateThread(&ShutDownAudio, "TarvelleAudioOff", nullptr);
  if (!audioShutdown) SDL_QuitSubSystem(SDL_INIT_AUDIO);  // no threads: here, then
}

// The sound card through SDL's audio subsystem; SDL converts to whatever the card wants.
class TSdlAudioDevice : public IAudioDevice {
 public:
  ~TSdlAudioDevice() override { Close(); }

  bool Open(int rate, TMixFunction mix) override {
    Close();
    FinishAudioShutdown();
    QuietSystemAudio();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error_ = std::string("no audio device (") + SDL_GetError() + ")";
      return false;
    }
    subsystem_ = true;
    mix_ = std::move(mix);
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
#ifdef __EMSCRIPTEN__
    want.samples = 1024;  // the browser mixes on its main thread: a shorter buffer would break up
#else
    want.samples = 256;  // about 12 ms at 22050 Hz
#endif
    want.callback = &TSdlAudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
      error_ = std::string("no audio device (") + SDL_GetError() + ")";
      subsystem_ = false;
      mix_ = nullptr;
      ShutDownAudioAside();
      return false;
    }
    rate_ = rate;
    frames_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  void Close() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_ = false;
  }

  void Lock() override {
    if (device_ != 0) SDL_LockAudioDevice(device_);
  }
  void Unlock() override {
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
  }
  int Rate() const override { return rate_; }
  int BufferFrames() const override { return frames_; }
  std::string Error() const override { return error_; }

 private:
  static void Callback(void* self, Uint8* stream, int bytes) {
    auto* d = static_cast<TSdlAudioDevice*>(self);
    d->mix_(reinterpret_cast<int16_t*>(stream), bytes / 4);
  }

  SDL_AudioDeviceID device_ = 0;
  bool subsystem_ = false;
  TMixFunction mix_;
  int rate_ = 0;
  int frames_ = 0;
  std::string error_;
};

}  // namespace

void FinishAudioShutdown() {
  if (!audioShutdown) return;
  SDL_WaitThread(audioShutdown, nullptr);
  audioShutdown = nullptr;
}

std::unique_ptr<IAudioDevice> CreateSystemAudioDevice() {
  return std::make_unique<TSdlAudioDevice>();
}
