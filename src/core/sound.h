#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "media/dx_sound.h"
#include "media/music.h"
#include "media/wave_list.h"

// The sound device and the catalogue of sound effects, owned for the game window.
extern TDXSound DXSound1;
extern TDXWaveList DXWaveList;
// True once the sound device is up.
extern bool SoundAvailable;

// The effects volume for a setting 0 .. 10, in hundredths of a decibel.
int32_t SoundVolumeFor(int32_t sfxVol);

// Brings up the sound device (the system's own when device is null) with its catalogue, then the
// music player on "Music/" beside the program; sets SoundAvailable and MusicAvailable. When
// something is missing both flags are cleared, one line on stderr says what, and the game
// goes on in silence.
void InitSound(std::unique_ptr<IAudioDevice> device = nullptr);
// Shuts the music player and the device down and clears both flags.
void ShutdownSound();

// Plays a catalogue sound at the effects volume, centred. Letter case is ignored.
void PlaySound(const std::string& name);
// The same, toward one side: pan in hundredths of a decibel, negative to the left.
void PlaySoundPanned(const std::string& name, int32_t pan);
// Plays a sound placed at a grid cell: quieter the further it is from the Dragon, and on the
// Dragon's left or right.
void PlaySoundAt(const std::string& name, int column, int row);
// Gives every catalogue sound the volume of the current SFXVol.
void ApplySoundVolume();

// The game's music: the one player, and the pieces it plays at MusVol.
extern TDXMusic MusicPlayer;
// True once the music player is up.
extern bool MusicAvailable;

// Loads and plays a piece from the music folder.
void PlayMusic(const std::string& fileName);
// Plays 1.mid, 2.mid, 1.mid, ... on successive calls.
void PlayNextLevelMusic();
// Switches music on or off by MusVol and sets its master volume (MusVol x 500 - 5000).
void ApplyMusicVolume();
// The options screen's change of MusVol: 0 stops the music, a change up from 0 starts the title
// music from its beginning; nothing happens when the value is the same.
void SetMusicVolume(uint16_t musVol);
