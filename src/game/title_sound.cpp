#include "game/title_sound.h"

#include "core/sound.h"
#include "platform/audio_device.h"

void StartTitleSound(std::unique_ptr<IAudioDevice> device) {
  InitSound(std::move(device));
  ApplyMusicVolume();
  ApplySoundVolume();
  PlayMusic("intro.mid");
}
