
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/sound.h"
#include "fake_audio_device.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 22050;

int Peak(const std::vector<int16_t>& s) {
  int p = 0;
  for (int16_t v : s) p = std::max(p, std::abs(static_cast<int>(v)));
  return p;
}

// Level in dB full scale of the quietest 50 ms stretch.
double QuietestStretch(const std::vector<int16_t>& s) {
  const size_t w = kRate / 20 * 2;
  double quietest = 0;
  for (size_t i = 0; i + w <= s.size(); i += w) {
    double sum = 0;
    for (size_t j = i; j < i + w; ++j) sum += double(s[j]) * s[j];
    quietest = std::min(quietest, 10 * std::log10(sum / w / (32768.0 * 32768.0) + 1e-12));
  }
  return quietest;
}

// Energy of the difference between s and the same stretch of reference from offset, relative
// to the energy of s.
double RelativeDifference(const std::vector<int16_t>& s, const std::vector<int16_t>& reference,
                          size_t offset) {
  double diff = 0, energy = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double d = double(s[i]) - reference[offset + i];
    diff += d * d;
    energy += double(s[i]) * s[i];
  }
  return diff / energy;
}

fs::path TempFolder(const std::string& name) {
  const fs::path p = fs::temp_directory_path() / ("tarvelle_music_test_" + name);
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    G.ProgramFolder = TARVELLE_BUILD_DIR "/";
    auto device = std::make_unique<TFakeAudioDevice>();
    device_ = device.get();
    InitSound(std::move(device));
    ASSERT_TRUE(MusicAvailable);
    ApplyMusicVolume();
  }
  void TearDown() override { ShutdownSound(); }

  // Starts the current piece at a frame, as a resume after a stop does.
  void StartAt(uint32_t frame) {
    MusicPlayer.Stop();
    MusicPlayer.PausePosition = frame;
    MusicPlayer.Resume();
  }

  TFakeAudioDevice* device_ = nullptr;
};

TEST_F(MusicTest, PlayPauseResumeAndStop) {
  // An uninterrupted stretch to compare with a paused one. The synthesizer works in blocks of
  // 64 frames; whole blocks keep both runs in step.
  const int first = 344 * 64, second = 172 * 64;
  PlayMusic("intro.mid");
  const auto whole = device_->Pull(first + second);

  PlayMusic("intro.mid");
  EXPECT_TRUE(MusicPlayer.Playing);
  EXPECT_FALSE(MusicPlayer.IsPaused());
  EXPECT_EQ(MusicPlayer.PieceName(), "intro.mid");
  EXPECT_EQ(MusicPlayer.Position(), 0u);
  EXPECT_GT(Peak(device_->Pull(first)), 300);
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(first));

  MusicPlayer.Pause();
  MusicPlayer.Pause();  // a second loss of focus changes nothing
  EXPECT_TRUE(MusicPlayer.IsPaused());
  EXPECT_TRUE(MusicPlayer.Playing);
  EXPECT_EQ(MusicPlayer.PausePosition, uint32_t(first));
  EXPECT_EQ(Peak(device_->Pull(kRate / 2)), 0);
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(first));

  MusicPlayer.Resume();
  EXPECT_FALSE(MusicPlayer.IsPaused());
  EXPECT_TRUE(MusicPlayer.Playing);
  // The music goes on exactly as if it had never stopped, held notes and all.
  const auto rest = device_->Pull(second);
  // (The reverb of the earlier run leaves a trace far below the music.)
  EXPECT_LT(RelativeDifference(rest, whole, 2 * first), 0.01);
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(first + second));

  MusicPlayer.Stop();
  EXPECT_FALSE(MusicPlayer.Playing);
  EXPECT_EQ(Peak(device_->Pull(kRate / 4)), 0);

  // Play starts from the beginning again.
  MusicPlayer.Play();
  EXPECT_EQ(MusicPlayer.Position(), 0u);
  EXPECT_GT(Peak(device_->Pull(kRate / 2)), 300);
}

// Another game window in the same run takes the synthesizer the last one closed (making one
// costs memory the library keeps): closed in the middle of the music, it starts again clean.
TEST_F(MusicTest, TheNextPlayerPlaysAsTheFirstDid) {
  const int frames = 344 * 64;
  PlayMusic("intro.mid");
  const auto first = device_->Pull(frames);
  ShutdownSound();

  auto device = std::make_unique<TFakeAudioDevice>();
  device_ = device.get();
  InitSound(std::move(device));
  ASSERT_TRUE(MusicAvailable);
  ApplyMusicVolume();
  PlayMusic("intro.mid");
  const auto again = device_->Pull(frames);
  EXPECT_GT(Peak(again), 300);
  EXPECT_LT(RelativeDifference(again, first, 0), 0.001);
}

TEST_F(MusicTest, PauseAndResumeAfterTheLoopStayWithinThePiece) {
  PlayMusic("1.mid");
  const uint32_t length = MusicPlayer.PieceLength();
  StartAt(length - kRate / 2);
  device_->Pull(kRate);
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(kRate / 2));
  MusicPlayer.Pause();
  EXPECT_EQ(MusicPlayer.PausePosition, uint32_t(kRate / 2));
  device_->Pull(kRate);
  MusicPlayer.Resume();
  device_->Pull(100);
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(kRate / 2 + 100));

  // A paused piece that was stopped meanwhile resumes at the same place.
  MusicPlayer.Pause();
  MusicPlayer.Stop();
  MusicPlayer.Resume();
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(kRate / 2 + 100));
  EXPECT_GT(Peak(device_->Pull(kRate / 2)), 300);

  // A position out of range starts from the beginning.
  StartAt(length + 5);
  EXPECT_EQ(MusicPlayer.Position(), 0u);
}

TEST_F(MusicTest, EveryPieceLoopsWithoutAGapAndWithoutClipping) {
  G.MusVol = 10;
  ApplyMusicVolume();
  for (const char* piece : {"intro.mid", "1.mid", "2.mid"}) {
    PlayMusic(piece);
    ASSERT_TRUE(MusicPlayer.Loaded()) << piece;
    const uint32_t length = MusicPlayer.PieceLength();
    EXPECT_GE(length, 60u * kRate) << piece;
    EXPECT_LE(length, 120u * kRate) << piece;
    StartAt(length - kRate);
    device_->Pull(kRate / 2);  // let the notes held from before the start point come in
    const auto seam = device_->Pull(kRate);
    EXPECT_GT(QuietestStretch(seam), -40) << piece;
    EXPECT_LT(Peak(seam), 32000) << piece;
  }
}

TEST_F(MusicTest, VolumeZeroSwitchesOffAndOneRestartsTheTitleMusic) {
  G.MusVol = 7;
  ApplyMusicVolume();
  EXPECT_FLOAT_EQ(DXSound1.Mixer().MusicGain(), DecibelGain(-1500));

  PlayMusic("1.mid");
  device_->Pull(kRate);
  SetMusicVolume(0);
  EXPECT_FALSE(MusicPlayer.Playing);
  EXPECT_FALSE(MusicPlayer.Enabled);
  EXPECT_EQ(Peak(device_->Pull(kRate / 4)), 0);
  PlayMusic("2.mid");  // switched off: nothing happens
  EXPECT_FALSE(MusicPlayer.Playing);

  SetMusicVolume(1);
  EXPECT_TRUE(MusicPlayer.Enabled);
  EXPECT_TRUE(MusicPlayer.Playing);
  EXPECT_EQ(MusicPlayer.PieceName(), "intro.mid");
  EXPECT_EQ(MusicPlayer.Position(), 0u);
  EXPECT_FLOAT_EQ(DXSound1.Mixer().MusicGain(), DecibelGain(-4500));

  device_->Pull(kRate);
  SetMusicVolume(4);  // a change between audible steps only sets the volume
  EXPECT_EQ(MusicPlayer.Position(), uint32_t(kRate));
  EXPECT_FLOAT_EQ(DXSound1.Mixer().MusicGain(), DecibelGain(-3000));
}

TEST_F(MusicTest, LevelMusicAlternates) {
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    PlayNextLevelMusic();
    names.push_back(MusicPlayer.PieceName());
  }
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
            (std::set<std::string>{"1.mid", "2.mid"}));
  EXPECT_NE(names[0], names[1]);
  EXPECT_EQ(names[0], names[2]);
}

TEST_F(MusicTest, MissingOrDamagedFilesLeaveNoPiece) {
  PlayMusic("intro.mid");
  EXPECT_FALSE(MusicPlayer.Load("none.mid"));
  EXPECT_FALSE(MusicPlayer.Loaded());
  MusicPlayer.Play();
  EXPECT_FALSE(MusicPlayer.Playing);

  const fs::path folder = TempFolder("damaged");
  std::ifstream in(TARVELLE_BUILD_DIR "/Music/intro.mid", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(folder / "cut.mid", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream(folder / "text.mid") << "not a MIDI file";
  MusicPlayer.SetSearchFolder(folder.string());
  EXPECT_FALSE(MusicPlayer.Load("cut.mid"));
  EXPECT_FALSE(MusicPlayer.Load("text.mid"));
  EXPECT_FALSE(MusicPlayer.Loaded());
  // The game goes on in silence, also without a music folder at all.
  for (const fs::path& f : {folder, folder / "NoMusic"}) {
    MusicPlayer.SetSearchFolder(f.string());
    PlayMusic("cut.mid");
    PlayNextLevelMusic();
    EXPECT_FALSE(MusicPlayer.Playing);
    EXPECT_EQ(Peak(device_->Pull(kRate / 4)), 0);
  }
  fs::remove_all(folder);
}

TEST(MusicSoundFont, SearchOrderAndNoSoundFont) {
  const fs::path root = TempFolder("fonts");
  auto touch = [&](const char* rel) {
    fs::create_directories((root / rel).parent_path());
    std::ofstream(root / rel) << "x";
  };
  SetSoundFontFolder(root.string() + "/");
  EXPECT_EQ(FindSoundFont(), "");
  touch("extra/zz.sf3");
  touch("extra/aa.sf2");
  EXPECT_EQ(FindSoundFont(), (root / "extra/aa.sf2").string());
  touch("sf3/default-GM.sf3");
  EXPECT_EQ(FindSoundFont(), (root / "sf3/default-GM.sf3").string());
  touch("sf2/default-GM.sf2");
  EXPECT_EQ(FindSoundFont(), (root / "sf2/default-GM.sf2").string());
  touch("sf2/TimGM6mb.sf2");
  EXPECT_EQ(FindSoundFont(), (root / "sf2/TimGM6mb.sf2").string());

  // No soundfont: effects still play, music is off with one line saying why.
  fs::remove_all(root);
  fs::create_directories(root);
  ResetGlobals();
  G.ProgramFolder = TARVELLE_BUILD_DIR "/";
  testing::internal::CaptureStderr();
  InitSound(std::make_unique<TFakeAudioDevice>());
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(SoundAvailable);
  EXPECT_FALSE(MusicAvailable);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("soundfont"), std::string::npos) << err;
  ApplyMusicVolume();
  PlayMusic("intro.mid");
  PlayNextLevelMusic();
  SetMusicVolume(0);
  SetMusicVolume(1);
  MusicPlayer.Pause();
  MusicPlayer.Resume();
  EXPECT_FALSE(MusicPlayer.Playing);
  PlaySound("Jump");
  ShutdownSound();
  SetSoundFontFolder("/usr/share/sounds/");
  fs::remove_all(root);
}

TEST(MusicLibrary, WithoutTheSynthesizerEffectsStillPlay) {
  // A library that isn't there, and one that is there but isn't the synthesizer.
  for (const char* library : {"libtarvelle-no-such-synth.so.3", "libm.so.6"}) {
    SetMidiLibrary(library);
    ResetGlobals();
    G.ProgramFolder = TARVELLE_BUILD_DIR "/";
    auto device = std::make_unique<TFakeAudioDevice>();
    TFakeAudioDevice* fake = device.get();
    testing::internal::CaptureStderr();
    InitSound(std::move(device));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(SoundAvailable) << library;
    EXPECT_FALSE(MusicAvailable) << library;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("MIDI library"), std::string::npos) << err;
    ApplyMusicVolume();
    PlayMusic("intro.mid");
    PlayNextLevelMusic();
    MusicPlayer.Pause();
    MusicPlayer.Resume();
    EXPECT_FALSE(MusicPlayer.Playing);
    G.SFXVol = 10;
    PlaySound("Jump");
    EXPECT_GT(Peak(fake->Pull(kRate / 4)), 300) << library;
    ShutdownSound();
  }
  SetMidiLibrary("libfluidsynth.so.3");
}

}  // namespace
