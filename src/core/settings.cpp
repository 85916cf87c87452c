#include "core/settings.h"

#include <algorithm>

#include "core/globals.h"
#include "core/settings_registry.h"
#include "core/settings_store.h"
#include "platform/paths.h"
#include "platform/user_registry.h"

std::string SettingsFolder() {
  return paths::ConfigHome() + "Morvane/Tarvelle Free/";
}

namespace {

int32_t InRange(int32_t v, int32_t lo, int32_t hi, int32_t fallback) {
  return v >= lo && v <= hi ? v : fallback;
}

// The choice of ChooseForThisRun, and the values it stood in for.
struct TRunChoice {
  bool Made = false;
  int32_t Difficulty = 0, Level = 0;
  int32_t StoredDifficulty = 0, StoredMaxLevel = 0;
} runChoice;

TShareChoice shareChoice = scNotAsked;
std::string worldServer;

// Where the system has a registry the settings live there, under this key of the user's branch;
// a per-user root given in place of the user's own (the headless driver's --home, the tests)
// keeps them in its settings.conf, as elsewhere.
constexpr const char* kRegistryKey = "Software\\Morvane\\Tarvelle Free";

// Opens the settings' key and hands it to work; nothing is done when it can't be had.
template <typename TWork>
void WithKey(TWork work) {
  if (user_registry::Available() && !paths::HomeOverridden()) {
    TSettingsRegistryKey key;
    if (key.Open(kRegistryKey, SettingsFolder())) work(key);
    return;
  }
  TSettingsKey key;
  if (key.Open(SettingsFolder(), true)) work(key);
}

int32_t DifficultyToSave() {
  const TRunChoice& c = runChoice;
  return c.Made && G.Difficulty == c.Difficulty ? c.StoredDifficulty : G.Difficulty;
}
int32_t MaxLevelToSave() {
  const TRunChoice& c = runChoice;
  return c.Made && G.MaxLevel <= c.Level ? c.StoredMaxLevel : G.MaxLevel;
}

}  // namespace

void LoadSettings() {
  runChoice = {};
  WithKey([](auto& key) {
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
    shareChoice = scNotAsked;
    if (key.ValueExists("Share")) {
      try {
        shareChoice = static_cast<TShareChoice>(InRange(key.ReadInteger("Share"), 0, 2, 0));
      } catch (const ESettingsError&) {
      }
    }
    worldServer = key.ReadString("WorldServer");
  });
}

void SaveSettings() {
  if (G.TryingOut) return;
  WithKey([](auto& key) {
    key.WriteInteger("SFXVol", G.SFXVol);
    key.WriteInteger("MusVol", G.MusVol);
    key.WriteInteger("Diff", DifficultyToSave());
    key.Flush();
  });
}

void SaveMaxLevel() {
  if (G.TryingOut) return;
  WithKey([](auto& key) {
    key.WriteInteger("Level", MaxLevelToSave());
    key.Flush();
  });
}

TShareChoice ShareChoice() {
  return shareChoice;
}

void SaveShareChoice(TShareChoice choice) {
  shareChoice = choice;
  if (G.TryingOut) return;
  WithKey([choice](auto& key) {
    key.WriteInteger("Share", choice);
    key.Flush();
  });
}

std::string WorldServerSetting() {
  return worldServer;
}

void ChooseForThisRun(int32_t difficulty, int32_t level) {
  runChoice = {true, difficulty, level, G.Difficulty, G.MaxLevel};
  G.Difficulty = difficulty;
  G.MaxLevel = std::max(G.MaxLevel, level);
}
