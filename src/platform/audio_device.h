#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One stereo output stream of signed 16-bit samples. The device calls the mix function from
// its own thread whenever it needs more sound; Lock and Unlock keep that function from running
// while the game changes what it mixes.
class IAudioDevice {
 public:
  // Fills frames stereo frames (2 x frames samples, left first).
  using TMixFunction = std::function<void(int16_t* out, int frames)>;

  virtual ~IAudioDevice() = default;
  // Opens the device at rate samples per second and starts calling mix. False (with Error()
  // telling why) when there is no device to open.
  virtual bool Open(int rate, TMixFunction mix) = 0;
  virtual void Close() = 0;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // The rate the device was opened with.
  virtual int Rate() const = 0;
  // Frames asked for by one call of the mix function.
  virtual int BufferFrames() const = 0;
  virtual std::string Error() const = 0;
};

// The system's sound output.
std::unique_ptr<IAudioDevice> CreateSystemAudioDevice();
