#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One channel message of a MIDI file, placed in sample frames from the start of the piece.
struct TMidiEvent {
  uint32_t Frame = 0;
  uint8_t Status = 0;  // 0x80 .. 0xEF
  uint8_t Data1 = 0;
  uint8_t Data2 = 0;
};

// A standard MIDI file flattened into one list of channel messages in playing order, with the
// tempo changes already turned into sample times.
struct TMidiSong {
  std::vector<TMidiEvent> Events;
  uint32_t Length = 0;  // frames to the end of the longest track: where the piece loops
  std::string Path;     // the file it was read from ("" when read from memory)
};

// Reads a format 0 or 1 MIDI file image for playing at rate frames per second; throws
// std::runtime_error when the file is damaged or uses SMPTE time.
TMidiSong ParseMidi(std::span<const uint8_t> file, int rate);
// Reads the file at path; false (with error set) when it can't be read or parsed.
bool LoadMidiFile(const std::string& path, int rate, TMidiSong& song, std::string& error);
