// Measures the sound layer on the real audio path: the delay from PlaySound to the first
// non-silent sample handed to the device, and the audio thread's share of one core while music
// and eight effects play. Uses SDL's disk audio driver (writing to a file in /tmp at real-time
// pace) unless SDL_AUDIODRIVER names another.
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "core/globals.h"
#include "core/sound.h"
#include "platform/paths.h"
#include "platform/process_env.h"

namespace {

using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Wraps the system device and watches what the mixer hands to it.
class TMeasuringDevice : public IAudioDevice {
 public:
  explicit TMeasuringDevice(std::unique_ptr<IAudioDevice> inner) : inner_(std::move(inner)) {}

  bool Open(int rate, TMixFunction mix) override {
    rate_ = rate;
    return inner_->Open(rate, [this, mix](int16_t* out, int frames) {
      cpu_.store(ThreadCpuSeconds());
      mix(out, frames);
      if (armed_.load()) {
        for (int i = 0; i < frames * 2; ++i)
          if (out[i] != 0) {
            heard_ = Clock::now() + std::chrono::microseconds(int64_t(i / 2) * 1000000 / rate_);
            armed_.store(false);
            break;
          }
      }
    });
  }
  void Close() override { inner_->Close(); }
  void Lock() override { inner_->Lock(); }
  void Unlock() override { inner_->Unlock(); }
  int Rate() const override { return inner_->Rate(); }
  int BufferFrames() const override { return inner_->BufferFrames(); }
  std::string Error() const override { return inner_->Error(); }

  void Arm() { armed_.store(true); }
  bool Armed() const { return armed_.load(); }
  Clock::time_point Heard() const { return heard_; }
  // CPU seconds the audio thread had used when its latest callback began.
  double AudioThreadCpu() const { return cpu_.load(); }

 private:
  std::unique_ptr<IAudioDevice> inner_;
  int rate_ = 0;
  std::atomic<bool> armed_{false};
  Clock::time_point heard_;
  std::atomic<double> cpu_{0};
};

}  // namespace

int main() {
  process::SetEnvironment("SDL_AUDIODRIVER", "disk", false);
  process::SetEnvironment("SDL_DISKAUDIOFILE", "/tmp/tarvelle-sound-latency.raw", false);
  G.ProgramFolder = paths::ExecutableFolder();
  G.SFXVol = 10;
  G.MusVol = 10;

  auto device = std::make_unique<TMeasuringDevice>(CreateSystemAudioDevice());
  TMeasuringDevice* dev = device.get();
  InitSound(std::move(device));
  if (!SoundAvailable) return 1;
  ApplyMusicVolume();
  ApplySoundVolume();
  const int frames = dev->BufferFrames();
  std::printf("driver %s, %d Hz, %d frames a buffer (%.1f ms)\n", std::getenv("SDL_AUDIODRIVER"),
              dev->Rate(), frames, frames * 1000.0 / dev->Rate());

  // Delay: play a short sound over silence, many times at random moments.
  std::vector<double> delays;
  for (int i = 0; i < 40; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + (i * 37) % 40));
    dev->Arm();
    const auto t0 = Clock::now();
    PlaySound("Key");
    while (dev->Armed()) std::this_thread::sleep_for(std::chrono::microseconds(200));
    delays.push_back(std::chrono::duration<double, std::milli>(dev->Heard() - t0).count());
  }
  std::sort(delays.begin(), delays.end());
  double sum = 0;
  for (double d : delays) sum += d;
  std::printf(
      "PlaySound to the first sound at the device: mean %.1f ms, median %.1f ms, "
      "worst %.1f ms (%zu plays)\n",
      sum / delays.size(), delays[delays.size() / 2], delays.back(), delays.size());

  // Load: music and eight effects sounding together for ten seconds.
  if (!MusicAvailable) std::printf("music is not available; measuring effects only\n");
  PlayMusic("1.mid");
  const char* effects[] = {"Drown", "Splash", "TimeUp", "GameOver", "win", "Exit", "EDeath", "Ham"};
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const double cpu0 = dev->AudioThreadCpu();
  const auto t0 = Clock::now();
  int least = 99, most = 0;
  while (Clock::now() - t0 < std::chrono::seconds(10)) {
    // Each of the eight starts again as soon as it has finished, so eight sound at once.
    for (const char* e : effects) {
      bool busy = false;
      DXSound1.Lock();
      for (const TVoice* b : DXWaveList.Find(e).Buffers()) busy = busy || b->Playing;
      DXSound1.Unlock();
      if (!busy) PlaySound(e);
    }
    int sounding = 0;
    DXSound1.Lock();
    for (const char* e : effects)
      for (const TVoice* b : DXWaveList.Find(e).Buffers()) sounding += b->Playing;
    DXSound1.Unlock();
    least = std::min(least, sounding);
    most = std::max(most, sounding);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  const double cpu = dev->AudioThreadCpu() - cpu0;
  std::printf(
      "audio thread with music and 8 effects (%d to %d sounding): %.2f%% of one core "
      "over %.1f s\n",
      least, most, 100.0 * cpu / wall, wall);
  ShutdownSound();
  return 0;
}
