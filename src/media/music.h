#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "media/dx_sound.h"
#include "media/midi_synth.h"

// The game's music player: one MIDI piece at a time, repeating without end, with a master
// volume and a pause that keeps the position.
class TDXMusic {
 public:
  TDXMusic();
  ~TDXMusic();
  TDXMusic(const TDXMusic&) = delete;
  TDXMusic& operator=(const TDXMusic&) = delete;

  // Sets up the synthesizer on the sound device with the first soundfont found and pieces
  // looked up in folder; true (and Enabled) when music can play. On failure one line on stderr
  // says what is missing.
  bool Initialize(TDXSound& sound, const std::string& folder);
  void SetSearchFolder(const std::string& folder);
  // If Enabled: loads the piece as the current one, repeating without end. A file that can't
  // be read leaves no piece loaded.
  bool Load(const std::string& fileName);
  // If Enabled and a piece is loaded: stops, and plays the piece from its beginning.
  void Play();
  // If Enabled: stops all music at once.
  void Stop();
  // If Playing: remembers the position reached and stops; Playing stays set.
  void Pause();
  // Plays on from the remembered position (from the beginning when it is out of range).
  void Resume();
  bool IsPaused() const { return PausePosition != 0; }
  // If Enabled: the master volume in hundredths of a decibel.
  void SetVolume(int32_t hundredths);
  // Stops and releases everything.
  void Shutdown();

  bool Loaded() const;
  // The piece's file name as loaded ("" for none).
  const std::string& PieceName() const { return pieceName_; }
  // Position within the piece in music time (frames at the device rate) and the piece's length.
  uint32_t Position();
  uint32_t PieceLength() const;

  uint32_t PausePosition = 0;  // music time; 0 = not paused
  bool Enabled = false;
  bool Playing = false;

 private:
  TDXSound* sound_ = nullptr;
  std::unique_ptr<TMidiSynth> synth_;
  std::string folder_;
  std::string pieceName_;
  bool held_ = false;  // paused with the synthesizer holding its notes
};

// Where the General MIDI soundfont is looked for (with a trailing '/'); tests point it elsewhere.
void SetSoundFontFolder(const std::string& folder);
// The soundfont to use: TimGM6mb.sf2, then the default-GM links, then any .sf2 or .sf3 under
// the folder; "" when there is none.
std::string FindSoundFont();
