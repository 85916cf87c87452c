#pragma once
#include <cstdint>
#include <vector>

#include "pixels/damage.h"
#include "pixels/surface.h"

class TPictureCollectionItem;

// What one cell of the pond shows: its pad stretched into Rect, the splash of a pad that just
// went under drawn at Rect's corner, or nothing (no picture).
struct TPadLook {
  TPictureCollectionItem* Picture = nullptr;
  bool Stretched = false;
  TRect Rect;
  bool operator==(const TPadLook&) const = default;
};

// The pictures of the pond's cells, looked up once a frame rather than once a cell.
struct TPadPictures {
  TPadPictures();
  TPictureCollectionItem* Splash;
  TPictureCollectionItem* Pads[4];
};

// The look of cell (x, y) (1-based) as the level stands now.
TPadLook LookOfPad(const TPadPictures& pictures, int32_t x, int32_t y);
void DrawPadLook(TSurface& dest, const TPadLook& look);

// The water and the pads of the level as one picture kept from frame to frame. A pad that grew,
// sank or splashed is drawn again with the water under it, and with every pad whose picture
// overlaps that place (and those overlapping them), in the order of a whole drawing, so the
// picture is always the one the water and all the pads drawn afresh would give. The water
// alternates between two pictures; each has a pond picture of its own, so a change of the water
// brings only the pads changed since it was last shown up to date, not the whole pond.
class TPondLayer {
 public:
  // Brings the picture up to date with the water (nullptr: the plain fill pixel) and the pads,
  // in format f; generation is the display's (a new one redraws everything). Changed() then
  // holds where the picture changed since the last update (whole when everything did).
  const TSurface& Update(const TSurface* water, uint32_t fill, const TPixelFormat& f,
                         uint32_t generation);
  const TDamage& Changed() const { return changed_; }

 private:
  struct TSlot {
    TSurface Picture;
    std::vector<TPadLook> Looks;  // the cells as drawn, column by column
    const TSurface* Water = nullptr;
    uint32_t Fill = 0, Generation = 0;
    int32_t Cols = 0, Rows = 0;
    bool Built = false;
    uint64_t Used = 0;
  };
  void DrawWaterIn(TSlot& slot, const TRect& r);

  TSlot slots_[2];
  uint64_t updates_ = 0;
  TDamage changed_;
};
