#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/game_state.h"
#include "core/level_set.h"
#include "core/pad.h"
#include "pixels/rect.h"

// The game-wide variables, kept in one place so that a test can put them back to their
// start values with ResetGlobals() (actors/effects.h).
struct TGameGlobals {
  // Frame clock and states.
  TGameState GameState = gsStartup;
  int32_t SleepMs = 1;
  int32_t LagCount = 0;
  int32_t LastTick = 0;
  int32_t FrameDelta = 0;
  int32_t LevelTicks = 0;
  uint16_t SecondAcc = 0;
  int32_t TimeLeft = 0;
  int32_t SecondsElapsed = 0;
  uint16_t BonusAcc = 0;
  uint16_t FoodAcc = 0;
  uint16_t FoodInterval = 0;
  bool DemoMode = false;
  bool ShowFps = false;
  bool MenuBuilt = false;
  bool Quitting = false;
  // A level tried from the level editor (tarvelle --try): Esc in play ends the program, and
  // nothing is saved (settings, highest level, high scores, replays).
  bool TryingOut = false;

  // The game in progress.
  int32_t Score = 0;
  int32_t Lives = 0;
  int32_t LevelNo = 1;
  uint16_t LevelCount = LevelSetSize;
  int32_t MaxLevel = 0;
  int32_t Difficulty = 2;
  uint8_t DeathReason = 0;

  // The current level.
  uint16_t GridCols = 16;
  uint16_t GridRows = 11;
  uint16_t DiamondDelay = 0;
  uint16_t DiamondX = 0;
  uint16_t DiamondY = 0;
  std::array<uint8_t, 6> FoodShare{};   // [1..5]
  std::array<uint8_t, 680> BonusBag{};  // [1..BonusCount]
  int32_t BonusCount = 0;
  int32_t BonusInterval = 0;  // may exceed the 16-bit BonusAcc: that bonus then never comes
  std::array<std::array<TPad, 21>, 21> Pads{};  // [column][row], from 1

  // The Dragon's grid cell, kept up to date by the Dragon; placed sounds are heard from here.
  int32_t DragonColumn = 1;
  int32_t DragonRow = 1;

  // Sound and music volume steps.
  int32_t SFXVol = 8;
  uint16_t MusVol = 7;

  // Display.
  bool WindowedMode = true;
  int32_t VideoBitCount = 0;
  bool ModeSwitching = false;
  bool TimerWasEnabled = false;
  // The water pictures came from the picture pack at start.
  bool WaterLoaded = false;

  // Input: the mouse pointer in client coordinates of the game window, and the gamepad.
  TPoint PointerPos;
  int32_t AxisCentreX = 32767, AxisCentreY = 32767;
  bool JoyRepeatMode = true;  // a held stick repeats its move every JoyRepeat reports
  int32_t JoyRepeat = 4;
  int32_t JoyLeft = 0, JoyRight = 0, JoyUp = 0, JoyDown = 0;
  uint32_t JoyLastTime = 0;

  // Folder of the executable with a trailing '/'; every data file is looked up in it.
  std::string ProgramFolder;
};

extern TGameGlobals G;

// Cell geometry of the pond.
inline int32_t CellW() {
  return 640 / G.GridCols;
}
inline int32_t CellH() {
  return 440 / G.GridRows;
}
