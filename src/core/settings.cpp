#include "core/settings.h"

#include "core/globals.h"
#include "core/settings_store.h"
#include "platform/paths.h"

std::string SettingsFolder() {
  return paths::ConfigHome() + "Morvane/Tarvelle Free/";
}

namespace {

int32_t InRange(int32_t v, int32_t lo, int32_t hi, int32_t fallback) {
  return v >= lo && v <= hi ? v : fallback;
}

}  // namespace

void LoadSettings() {
  TSettingsKey key;
  if (!key.Open(SettingsFolder(), true)) return;
  G.WindowedMode = true;
  G.SleepMs = 1;
  if (key.ValueExists("Sleep")) {
    try {
      G.SleepMs = key.ReadInteger("Sleep");
    } catch (const ESettingsError&) {
    }
  }
  // A negative pause would be an endless wait: it counts as out of range.
  if (G.SleepMs > 5 || G.SleepMs < 0) G.SleepMs = 1;
  G.SFXVol = key.ValueExists("SFXVol") ? InRange(key.ReadInteger("SFXVol"), 0, 10, 8) : 8;
  G.MusVol = static_cast<uint16_t>(
      key.ValueExists("MusVol") ? InRange(key.ReadInteger("MusVol"), 0, 10, 7) : 7);
  G.Difficulty = key.ValueExists("Diff") ? InRange(key.ReadInteger("Diff"), 1, 3, 2) : 2;
}

void SaveSettings() {
  if (G.TryingOut) return;
  TSettingsKey key;
  if (!key.Open(SettingsFolder(), true)) return;
  key.WriteInteger("SFXVol", G.SFXVol);
  key.WriteInteger("MusVol", G.MusVol);
  key.WriteInteger("Diff", G.Difficulty);
  key.Flush();
}

void SaveMaxLevel() {
  if (G.TryingOut) return;
  TSettingsKey key;
  if (!key.Open(SettingsFolder(), true)) return;
  key.WriteInteger("Level", G.MaxLevel);
  key.Flush();
}
