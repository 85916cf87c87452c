// The settings file: any bytes give settings within their ranges; saving keeps every value
// that was read, and the saved file reads back to the same values.
#include "core/settings.h"

#include <filesystem>

#include "core/globals.h"
#include "core/settings_store.h"
#include "fuzz/fuzz_target.h"
#include "platform/paths.h"

TARVELLE_FUZZ_TARGET(settings) {
  paths::OverrideHome(fuzz::ScratchFolder() + "settings-home");
  const std::string folder = SettingsFolder();
  paths::MakeFolders(folder);
  std::error_code ec;
  std::filesystem::remove(folder + "settings.conf.bad", ec);
  fuzz::WriteFile(folder + "settings.conf", data, size);

  G.SleepMs = 1;
  G.SFXVol = 8;
  G.MusVol = 7;
  G.Difficulty = 2;
  try {
    LoadSettings();
  } catch (const ESettingsError&) {
    // A volume or the difficulty stored as text: the ones read so far stay.
  }
  fuzz::Check(G.SleepMs >= 0 && G.SleepMs <= 5, "Sleep out of range");
  fuzz::Check(G.SFXVol >= 0 && G.SFXVol <= 10, "SFXVol out of range");
  fuzz::Check(G.MusVol <= 10, "MusVol out of range");
  fuzz::Check(G.Difficulty >= 1 && G.Difficulty <= 3, "Diff out of range");

  TSettingsKey key;
  fuzz::Check(key.Open(folder, false), "cannot open the key");
  auto expected = key.Values();
  key.WriteInteger("Level", 7);
  expected["level"] = {TSettingsKey::vtDword, "", 7};
  fuzz::Check(key.Flush(), "cannot write the key");

  TSettingsKey again;
  fuzz::Check(again.Open(folder, false), "cannot open the key again");
  fuzz::Check(again.Values() == expected, "saving changed the values");
  paths::OverrideHome("");
}
