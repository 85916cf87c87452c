#pragma once
#include <memory>

#include "platform/audio_device.h"

// Sound at the title menu's first set-up: opens the sound device (the system's, unless one is
// given) and the music player, applies both volumes and starts the title music. Without a
// device or a soundfont the game goes on silent.
void StartTitleSound(std::unique_ptr<IAudioDevice> device = nullptr);
