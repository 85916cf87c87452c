#pragma once
// A small pond for the actors' tests: a game session's window with its pictures, a silent sound
// device, its virtual clock and a grid of lily pads, with frames run straight through the sprite
// tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "../fake_audio_device.h"
#include "../fake_video.h"
#include "actors/dragon.h"
#include "actors/effects.h"
#include "actors/sprite_tree.h"
#include "core/globals.h"
#include "core/sound.h"
#include "front/input.h"
#include "platform/clock.h"
#include "session_test.h"

class PondTest : public SessionTest {
 protected:
  void SetUp() override {
    InitSound(std::make_unique<TFakeAudioDevice>());
    G.GameState = gsPlaying;
    G.LevelTicks = 1;
  }
  void TearDown() override {
    ShutdownSound();
  }

  // cols x rows of shrinking lily pads of the given size (full size 40, 4 s cycle).
  // A fresh pond in play (a catch in an earlier case leaves gsCaught behind).
  static void Pond(int cols, int rows, int size = 40) {
    G.GameState = gsPlaying;
    G.GridCols = static_cast<uint16_t>(cols);
    G.GridRows = static_cast<uint16_t>(rows);
    for (int x = 1; x <= cols; ++x)
      for (int y = 1; y <= rows; ++y) Pad(x, y, pkLily, size);
  }
  static TPad& Pad(int x, int y, uint8_t kind, int size, bool growing = false) {
    TPad& p = G.Pads[x][y];
    p = TPad{};
    p.Kind = kind;
    p.Size = static_cast<uint16_t>(kind == pkWater ? 0 : size);
    p.MaxSize = static_cast<uint16_t>(kind == pkWater ? 0 : size < 40 ? 40 : size);
    p.Period = 4000;
    p.Growing = growing;
    return p;
  }

  // A standing Dragon of the shipped picture's size on the cell.
  static TDragon* PutDragon(int column, int row) {
    Dragon = new TDragon(&SpriteRoot());
    Dragon->Width = Dragon->Height = 42;
    Dragon->Column = column;
    Dragon->Row = row;
    Dragon->X = CellW() * (column - 1) + (CellW() - 42) / 2;
    Dragon->Y = 20 + CellH() * (row - 1) + CellH() / 2 - 42 + 3;
    Dragon->JumpStart = 0;
    Dragon->TargetColumn = column;
    Dragon->TargetRow = row;
    Dragon->JumpFromX = Dragon->JumpToX = Dragon->X;
    Dragon->JumpFromY = Dragon->JumpToY = Dragon->Y;
    return Dragon;
  }

  // One frame of ms milliseconds: the level clock, the sprite tree's move and its sweep.
  static void Frame(int32_t ms) {
    G.LevelTicks += ms;
    SpriteRoot().Move(ms);
    SpriteRoot().SweepDead();
  }

  // Copies of a sound started since the sound device came up.
  static size_t Plays(const char* sound) { return DXWaveList.Find(sound).Buffers().size(); }
};
