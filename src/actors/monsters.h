#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "actors/image_sprite.h"
#include "actors/sprite_tree.h"

// A cell a monster may hop to, with the score its kind gives it.
struct TCandidate {
  int32_t Column = 0, Row = 0;
  int32_t Score = 0;
};

// The cells a monster may choose from: its own cell first, then, where they lie on the grid,
// the cells to the left, above, below and to the right. Entries [0 .. Count).
struct TCandidates {
  std::array<TCandidate, 5> Entries;
  int32_t Count = 0;
};
TCandidates CandidateCells(int32_t column, int32_t row);

// Sorts the candidates by falling score with the exchange sort the monsters have always used:
// equal scores end in the order it leaves them.
void SortCandidates(TCandidates& c);

// What the three kinds of monster share: placement with a small random offset, the hop, a
// decision after standing for more than 400 ms, and sinking when the pad under it is gone.
class TEnemy : public TImageSprite {
 public:
  // Stands on the cell (no departure rule).
  void PlaceAt(int32_t column, int32_t row);
  // Leaves the current cell (stepped pads wear) and aims the hop at the given one.
  void SetTarget(int32_t column, int32_t row);
  // Starts a hop by one cell; refused at the grid's edges and during a hop. (0, 0) turns the
  // monster at random on the spot.
  void Hop(int32_t dx, int32_t dy);
  // Looks left or right.
  void Face(bool left);
  void StartSinking();
  // One frame of the sinking spin; the monster is killed when it ends.
  void DrawSinking();

  // Scores a candidate cell for this kind; (dc, dr) is the cell the Dragon is aimed at.
  virtual int32_t Score(int32_t column, int32_t row, int32_t dc, int32_t dr) = 0;
  // Picks a 0-based index among the sorted candidates.
  virtual int32_t Pick(const TCandidates& c) = 0;
  // Scores, sorts and picks the cells around the monster, and hops to the chosen one.
  void Decide();

  void MoveSelf(int32_t moveCount) override;

  // Standing place of this monster in a cell.
  int32_t StandX(int32_t column) const;
  int32_t StandY(int32_t row) const;

  bool FacingLeft = false;
  int32_t JitterX = 0, JitterY = 0;  // each -2 .. 2
  int32_t SinkAlphaFrom = 0, SinkAlphaTo = 0;
  int32_t SinkTurn = 0;
  int32_t SinkX = 0, SinkY = 0;
  bool SinkSoundDone = false;
  int32_t LastDecision = 0;
  int32_t JumpFromX = 0, JumpToX = 0, JumpFromY = 0, JumpToY = 0;
  std::string LeftImageName, RightImageName;
  std::string JumpSoundName;
  bool Sinking = false;
  int32_t TargetColumn = 0, TargetRow = 0;
  int32_t JumpStart = 0;  // LevelTicks when the hop (or the sinking) began; 0 = none
  int32_t Column = 0, Row = 0;

 protected:
  // Created under the sprite root on the cell with the kind's pictures ("<picture>L" and
  // "<picture>R"); draws its first frame and its offset from the random source.
  TEnemy(int32_t column, int32_t row, const char* picture);

 private:
  void HopStep();
};

// Red: goes for the biggest pads, and now and then for a middling one.
class TRedMonster : public TEnemy {
 public:
  TRedMonster(int32_t column, int32_t row);
  int32_t Score(int32_t column, int32_t row, int32_t dc, int32_t dr) override;
  int32_t Pick(const TCandidates& c) override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};

// Green: likes pads away from the border and eats the food it meets.
class TGreenMonster : public TEnemy {
 public:
  TGreenMonster(int32_t column, int32_t row);
  int32_t Score(int32_t column, int32_t row, int32_t dc, int32_t dr) override;
  int32_t Pick(const TCandidates& c) override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }
};

// A monster that rates cells through a look-ahead of LookAhead hops.
class TCleverEnemy : public TEnemy {
 public:
  int32_t Score(int32_t column, int32_t row, int32_t dc, int32_t dr) override;
  // The kind's own rating of one cell; -1 off the grid.
  virtual int32_t Value(int32_t column, int32_t row, int32_t dc, int32_t dr) = 0;

  int32_t LookAhead = 0;

 protected:
  using TEnemy::TEnemy;

 private:
  int32_t LookAheadScore(int32_t column, int32_t row, int32_t dc, int32_t dr, int32_t depth);
};

// Shaggy: rates pads by how long they will stay afloat and never follows the Dragon into water.
// It starts on the cell level construction gives it, unless that is on or next to the Dragon:
// then, once the grid is built, it moves to the nearest pad two or more hops from the Dragon
// (MoveShaggyMonstersOffTheDragon).
class TShaggyMonster : public TCleverEnemy {
 public:
  TShaggyMonster(int32_t column, int32_t row);
  // Moves to the nearest pad two or more hops from the Dragon, or is removed if there is none.
  void MoveToStartCell();
  int32_t Value(int32_t column, int32_t row, int32_t dc, int32_t dr) override;
  int32_t Pick(const TCandidates& c) override;
  TSprite* Clone(TSprite* parent) const override { return CloneAs(*this, parent); }

  bool NeedsStartCell = false;  // made on or next to the Dragon
};

// Level construction, once every pad is built: each shaggy monster made on or next to the Dragon
// moves to its start cell.
void MoveShaggyMonstersOffTheDragon();
