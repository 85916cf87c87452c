#include "media/dx_sound.h"

bool TDXSound::Initialize(std::unique_ptr<IAudioDevice> device) {
  Finalize();
  error_.clear();
  if (!device) {
    error_ = "no audio device";
    return false;
  }
  device_ = std::move(device);
  if (!device_->Open(kRate, [this](int16_t* out, int frames) { mixer_.Mix(out, frames); })) {
    error_ = device_->Error();
    device_.reset();
    return false;
  }
  initialized_ = true;
  return true;
}

void TDXSound::Finalize() {
  if (device_) device_->Close();
  device_.reset();
  initialized_ = false;
}

void TDXSound::Lock() {
  if (device_) device_->Lock();
}

void TDXSound::Unlock() {
  if (device_) device_->Unlock();
}
