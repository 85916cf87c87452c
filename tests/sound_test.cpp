#include "core/sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "actors/effects.h"
#include "core/globals.h"
#include "fake_audio_device.h"
#include "platform/process_env.h"

namespace {

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    G.ProgramFolder = TARVELLE_BUILD_DIR "/";
    auto device = std::make_unique<TFakeAudioDevice>();
    device_ = device.get();
    InitSound(std::move(device));
    ASSERT_TRUE(SoundAvailable);
  }
  void TearDown() override { ShutdownSound(); }

  // The buffer that the last play of name started.
  const TVoice& LastStarted(const std::string& name) {
    const auto& buffers = DXWaveList.Find(name).Buffers();
    EXPECT_FALSE(buffers.empty());
    const TVoice* last = buffers.front();
    for (const TVoice* b : buffers)
      if (b->Playing && b->Position == 0) last = b;
    return *last;
  }

  TFakeAudioDevice* device_ = nullptr;
};

TEST_F(SoundTest, PlaySoundUsesTheVolumeTableCentred) {
  const int32_t table[11] = {-10000, -4500, -4000, -3500, -3000, -2500,
                             -2000,  -1500, -1000, -500,  0};
  for (int vol = 1; vol <= 10; ++vol) {
    G.SFXVol = vol;
    PlaySound("Jump");
    const TVoice& v = LastStarted("Jump");
    EXPECT_EQ(v.Volume, table[vol]) << "SFXVol " << vol;
    EXPECT_EQ(v.Pan, 0);
    EXPECT_FLOAT_EQ(v.GainLeft, std::pow(10.0f, table[vol] / 2000.0f));
    EXPECT_FLOAT_EQ(v.GainRight, v.GainLeft);
    device_->Pull(22050);
  }
  G.SFXVol = 0;
  PlaySound("Jump");
  for (const TVoice* b : DXWaveList.Find("Jump").Buffers()) EXPECT_FALSE(b->Playing);
  // ApplySoundVolume sets every item to the table value.
  G.SFXVol = 3;
  ApplySoundVolume();
  for (int i = 0; i < DXWaveList.Count(); ++i) EXPECT_EQ(DXWaveList.Item(i).Volume, -3500);
}

struct TPlaced {
  int dc, dr, col, row, w, h, sfx;
  int32_t volume, pan;
};

TEST_F(SoundTest, PlaySoundAtFollowsTheDragon) {
  const TPlaced cases[] = {
      {5, 5, 5, 5, 16, 11, 8, -1000, 0},         // the Dragon's own cell: table volume, centre
      {1, 1, 16, 11, 16, 11, 8, -3438, 9375},    // far corner: (v + 4500) / 4 - 4500, near right
      {16, 11, 1, 1, 16, 11, 10, -3134, -9375},  // the other far corner, on the left
      {10, 6, 4, 6, 16, 11, 10, -1043, -3750},   // left of the Dragon plays on the left
      {3, 2, 7, 9, 16, 11, 5, -3123, 2500},      // right of it, and lower down
      {4, 4, 8, 1, 8, 5, 1, -4500, 5000},        // quietest step stays at -4500
  };
  for (const TPlaced& c : cases) {
    G.DragonColumn = c.dc;
    G.DragonRow = c.dr;
    G.GridCols = c.w;
    G.GridRows = c.h;
    G.SFXVol = c.sfx;
    PlaySoundAt("MJump", c.col, c.row);
    const TVoice& v = LastStarted("MJump");
    EXPECT_EQ(v.Volume, c.volume) << c.col << "," << c.row;
    EXPECT_EQ(v.Pan, c.pan) << c.col << "," << c.row;
    // The side away from the balance is attenuated by the balance's amount.
    const float gain = std::pow(10.0f, c.volume / 2000.0f);
    EXPECT_FLOAT_EQ(v.GainLeft, gain * std::pow(10.0f, -std::max(c.pan, 0) / 2000.0f));
    EXPECT_FLOAT_EQ(v.GainRight, gain * std::pow(10.0f, -std::max(-c.pan, 0) / 2000.0f));
    device_->Pull(22050);
  }
  G.SFXVol = 0;
  PlaySoundAt("MJump", 1, 1);
  for (const TVoice* b : DXWaveList.Find("MJump").Buffers()) EXPECT_FALSE(b->Playing);
}

TEST_F(SoundTest, MixerOutputCarriesGainAndBalance) {
  // "Time" is stored at the device rate, so the output is its samples times the gains.
  const TWave& wave = DXWaveList.Find("Time").Wave;
  auto sample = [&](int i) {
    return static_cast<int16_t>(wave.Data[2 * i] | wave.Data[2 * i + 1] << 8);
  };
  int peak = 0;
  for (int i = 0; i < wave.Frames(); ++i)
    if (std::abs(sample(i)) > std::abs(sample(peak))) peak = i;

  G.SFXVol = 10;
  MusicPlayer.Stop();
  PlaySound("Time");
  auto out = device_->Pull(wave.Frames());
  EXPECT_NEAR(out[2 * peak], sample(peak), 1);
  EXPECT_NEAR(out[2 * peak + 1], sample(peak), 1);

  G.GridCols = 10;
  G.DragonColumn = 1;
  G.DragonRow = G.GridRows = 1;
  PlaySoundAt("Time", 6, 1);  // pan 5000: the left side 50 dB down
  out = device_->Pull(wave.Frames());
  const int32_t volume = LastStarted("Time").Volume;
  EXPECT_NEAR(out[2 * peak + 1], sample(peak) * std::pow(10.0, volume / 2000.0), 1);
  EXPECT_NEAR(out[2 * peak], sample(peak) * std::pow(10.0, (volume - 5000) / 2000.0), 1);
}

TEST_F(SoundTest, OverlappingPlaysTakeNewBuffersAndReuseFreeOnes) {
  G.SFXVol = 10;
  MusicPlayer.Stop();
  TWaveCollectionItem& jump = DXWaveList.Find("jump");
  const int frames = static_cast<int>(jump.Wave.Frames() * 22050LL / jump.Wave.Rate) + 1;
  PlaySound("Jump");
  const auto single = device_->Pull(frames);
  EXPECT_EQ(jump.Buffers().size(), 1u);

  PlaySound("Jump");
  device_->Pull(256);
  PlaySound("Jump");
  PlaySound("Jump");
  ASSERT_EQ(jump.Buffers().size(), 3u);
  for (const TVoice* b : jump.Buffers()) EXPECT_TRUE(b->Playing);
  const auto mixed = device_->Pull(frames);
  // The two copies started together sound twice as loud as one, 256 frames behind the first.
  for (int i = 0; i < 512; i += 2) {
    const int first = single[2 * (256 + i)], copies = 2 * single[2 * i];
    EXPECT_NEAR(mixed[2 * i], std::clamp(first + copies, -32767, 32767), 3) << i;
  }
  for (const TVoice* b : jump.Buffers()) EXPECT_FALSE(b->Playing);
  PlaySound("Jump");
  EXPECT_EQ(jump.Buffers().size(), 3u);
  EXPECT_TRUE(jump.Buffers()[0]->Playing);
}

TEST_F(SoundTest, LookupIgnoresCaseAndMissingNamesRaise) {
  EXPECT_EQ(DXWaveList.Find("Bubble").Name, "bubble");
  EXPECT_EQ(DXWaveList.Find("LOSE").Name, "lose");
  EXPECT_EQ(DXWaveList.Find("Win").Name, "win");
  try {
    PlaySound("Nope");
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Wave 'Nope' not found");
  }
}

struct TWaveFormat {
  const char* name;
  int channels, rate, bits, bytes;
};

TEST(SoundCatalogue, EveryWaveHasItsFormatAndLength) {
  const TWaveFormat table[] = {
      {"Jump", 1, 16000, 16, 8872},    {"bubble", 1, 22050, 16, 3724},
      {"lose", 1, 11025, 8, 4177},     {"win", 1, 11025, 8, 15882},
      {"Time", 1, 22050, 16, 4434},    {"Splash", 1, 22050, 16, 32672},
      {"Collect", 1, 22050, 16, 3006}, {"TimeUp", 1, 11025, 8, 19328},
      {"Drown", 1, 22050, 16, 56090},  {"GameOver", 2, 22050, 8, 86384},
      {"MJump", 1, 11025, 8, 2277},    {"Key", 1, 8000, 8, 336},
      {"Exit", 1, 11025, 8, 7069},     {"NoEnergy", 1, 11025, 8, 3349},
      {"EDeath", 1, 22050, 8, 12206},  {"Ham", 1, 16000, 16, 9882},
      {"Eaten", 1, 22050, 8, 7904},
  };
  TDXWaveList list;
  list.LoadEmbedded();
  EXPECT_EQ(list.Count(), 17);
  for (const TWaveFormat& f : table) {
    const TWaveCollectionItem& item = list.Find(f.name);
    EXPECT_EQ(item.Name, f.name);
    EXPECT_EQ(item.Wave.Channels, f.channels) << f.name;
    EXPECT_EQ(item.Wave.Rate, f.rate) << f.name;
    EXPECT_EQ(item.Wave.Bits, f.bits) << f.name;
    EXPECT_EQ(static_cast<int>(item.Wave.Data.size()), f.bytes) << f.name;
    EXPECT_FALSE(item.Looped);
    EXPECT_EQ(item.MaxPlayingCount, 0);
    // Sound that starts and ends quietly (no click) and never reaches full scale.
    const auto& d = item.Wave.Data;
    auto at = [&](size_t i) {
      return f.bits == 8 ? (d[i] - 128) * 256 : static_cast<int16_t>(d[i] | d[i + 1] << 8);
    };
    const size_t step = f.bits / 8, last = d.size() - step;
    int peak = 0;
    for (size_t i = 0; i < d.size(); i += step) peak = std::max(peak, std::abs(at(i)));
    EXPECT_LT(peak, 32000) << f.name;
    EXPECT_GT(peak, 4000) << f.name;
    EXPECT_LE(std::abs(at(0)), 512) << f.name;
    EXPECT_LE(std::abs(at(last)), 512) << f.name;
  }
}

TEST(SoundWithoutDevice, EverythingIsQuietAndSafe) {
  ResetGlobals();
  testing::internal::CaptureStderr();
  InitSound(std::make_unique<TFakeAudioDevice>(false));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(SoundAvailable);
  EXPECT_FALSE(MusicAvailable);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("no audio device"), std::string::npos) << err;

  PlaySound("Jump");
  PlaySound("NotEvenThere");
  PlaySoundAt("Drown", 3, 3);
  ApplySoundVolume();
  TWaveCollectionItem& win = DXWaveList.Find("Win");  // the final fanfare pans it and plays
  win.Pan = 5000;
  win.Play();
  EXPECT_TRUE(win.Buffers().empty());
  ApplyMusicVolume();
  PlayMusic("intro.mid");
  PlayNextLevelMusic();
  MusicPlayer.Pause();
  MusicPlayer.Resume();
  MusicPlayer.Stop();
  SetMusicVolume(0);
  SetMusicVolume(5);
  EXPECT_FALSE(MusicPlayer.Playing);
  MusicPlayer.Shutdown();
  ShutdownSound();
}

TEST(SoundWithoutDevice, SystemDeviceOpensUnderTheDummyDriver) {
  process::SetEnvironment("SDL_AUDIODRIVER", "dummy", false);
  ResetGlobals();
  InitSound();
  EXPECT_TRUE(SoundAvailable);
  PlaySound("Collect");
  ShutdownSound();
  EXPECT_FALSE(SoundAvailable);
}

}  // namespace
