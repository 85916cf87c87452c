#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "media/midi_song.h"
#include "media/mixer.h"

// The shared library of the synthesizer, loaded when music is set up; tests point it elsewhere.
void SetMidiLibrary(const std::string& library);

// A General MIDI synthesizer (FluidSynth with a soundfont) with a sequencer that plays one
// piece over and over. It renders only when the mixer pulls music, so stopping the pull holds
// it exactly where it is. Everything but Render is called with the device locked.
class TMidiSynth;
// Where the pieces come pre-rendered: each synthesizer reads the recording of its current piece
// that has arrived since the piece was loaded.
void LoadArrivedRecordings();

class TMidiSynth : public IMusicSource {
 public:
  TMidiSynth();
  ~TMidiSynth() override;
  TMidiSynth(const TMidiSynth&) = delete;
  TMidiSynth& operator=(const TMidiSynth&) = delete;

  // Creates the synthesizer at rate frames per second with the soundfont; false with error set
  // when it can't.
  bool Open(const std::string& soundFont, int rate, std::string& error);
  // Whether Open needs a soundfont (not where the pieces come pre-rendered).
  static bool NeedsSoundFont();
  void Close();
  bool IsOpen() const;

  // The piece to play (null for none); it stops whatever was playing.
  void SetSong(std::shared_ptr<const TMidiSong> song);
  const TMidiSong* Song() const { return song_.get(); }

  // Plays from a frame of the piece: instruments and controllers set before it are sent first.
  void Start(uint32_t frame);
  // Stops advancing; the notes that sound are kept for Continue.
  void Hold() { running_ = false; }
  void Continue() { running_ = song_ != nullptr; }
  // Cuts every sound at once and stops.
  void Silence();
  // Frame of the piece reached, 0 .. Length - 1 (it wraps at the loop).
  uint32_t Position() const { return song_ && pos_ >= song_->Length ? 0 : pos_; }

  bool Active() const override { return running_; }
  void Render(float* out, int frames) override;
  // Where the pieces come pre-rendered: reads the current piece's recording if it was not
  // there when the piece was loaded (it arrives after the game's start).
  void LoadRecording();

 private:
  void Send(const TMidiEvent& e);
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
  std::shared_ptr<const TMidiSong> song_;
  size_t next_ = 0;
  uint32_t pos_ = 0;
  bool running_ = false;
};
