#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A recorded game: how it started, and every call that reached the game window while it ran
// (each frame, each key, click and focus change) with the clock readings the game took during
// the call. Played back, the same calls with the same readings make exactly the same game.

// What reached the game window.
enum TTapeCall : uint8_t {
  tcFrame = 1,   // a frame; A = LagCount
  tcKeyDown,     // A = key, B = shift state
  tcKeyUp,       // A = key, B = shift state
  tcKeyPress,    // A = character
  tcMouseUp,     // A = button, B = shift state, C = x, D = y
  tcJoyMove,     // A = position, B and C = the stick's centre
  tcJoyButUp,    // A = buttons
  tcPause,       // the game pad went away during play
  tcActivate,    // the application got the focus back
  tcDeactivate,  // the application lost the focus
};
constexpr uint8_t LastTapeCall = tcDeactivate;

struct TTapeEntry {
  uint8_t Call = tcFrame;
  int32_t A = 0, B = 0, C = 0, D = 0;
  std::vector<uint32_t> Reads;  // the clock readings the game took, in order
};

// How the game stood when the recording ended; a replay must end the same way.
struct TReplayFinal {
  int32_t Score = 0, Lives = 0, LevelNo = 0;
  uint32_t RandomState = 0;
  bool operator==(const TReplayFinal&) const = default;
};

struct TReplay {
  uint32_t Seed = 0;  // the random generator when the game started
  int32_t Difficulty = 1, StartLevel = 1, MaxLevel = 1, SleepMs = 1;
  // The CRC-32 of the level file played (the game's own or a pack's); 0 in a replay of
  // version 1, which does not say.
  uint32_t Levels = 0;
  // The rules of play it was recorded under (PlayRules then); 1 in replays of versions 1 and 2.
  uint32_t Rules = 1;
  std::vector<uint32_t> StartReads;  // readings taken while the game started
  std::vector<TTapeEntry> Entries;
  TReplayFinal Final;
};

// A replay file that can't be played; the message names the file and what is wrong.
class EReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The rules of play: a number that grows whenever a change to the game makes a recorded game
// play differently (the test suite's replays stop playing back exactly then). A replay names the
// rules it was recorded under, so a verifier knows which game can play it back.
constexpr uint32_t PlayRules = 1;

// The file: "TVRP", a version byte, the start, the entries and the final state as variable
// length numbers (clock readings as differences from the one before), then a CRC-32 of all
// that comes before it.
constexpr uint8_t ReplayVersion = 3;  // 1 and 2 are read too
std::string EncodeReplay(const TReplay& r);
// The CRC-32 that ends the file, of the bytes before it.
uint32_t ReplayChecksum(std::string_view bytes);
// Raises EReplayError "name: what is wrong" for a file that is damaged, cut short, of another
// version or out of range.
TReplay DecodeReplay(const std::string& bytes, const std::string& name);
TReplay ReadReplayFile(const std::string& path);
