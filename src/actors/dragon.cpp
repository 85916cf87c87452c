#include "actors/dragon.h"

TDragon* Dragon = nullptr;

TDragon::TDragon(TSprite* parent) : TImageSprite(parent) {}
void TDragon::RequestJump(int32_t, int32_t) {}
void TDragon::PlaceAt(int32_t column, int32_t row) {
  Column = column;
  Row = row;
}
void TDragon::SetTarget(int32_t column, int32_t row) {
  TargetColumn = column;
  TargetRow = row;
}
void TDragon::Face(bool left) {
  FacingLeft = left;
}
void TDragon::AimCell(int32_t& column, int32_t& row) const {
  column = Column;
  row = Row;
}
void TDragon::StartDeath() {}
void TDragon::DrawDeath() {}
void TDragon::MoveSelf(int32_t) {}
void TDragon::HandleCollision(TSprite*, bool&) {}
int32_t TDragon::StandX(int32_t) const {
  return 0;
}
int32_t TDragon::StandY(int32_t) const {
  return 0;
}
void TDragon::Hop(int32_t) {}
void LeavePad(int32_t, int32_t) {}
bool PathsCross(int32_t, int32_t, int32_t, int32_t) {
  return false;
}
