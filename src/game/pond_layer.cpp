#include "game/pond_layer.h"

#include <cstdlib>

#include "core/globals.h"
#include "game/main_form.h"
#include "media/image_item.h"

TPadPictures::TPadPictures()
    : Splash(&MainForm->ImageList.Find("Splash")),
      Pads{nullptr, &MainForm->ImageList.Find("Normal"), &MainForm->ImageList.Find("Stable"),
           &MainForm->ImageList.Find("Stepped")} {}

TPadLook LookOfPad(const TPadPictures& pictures, int32_t x, int32_t y) {
  const TPad& p = G.Pads[x][y];
  if (p.Kind != pkLily && p.Kind != pkIsland && p.Kind != pkStepped) return {};
  const int32_t cellW = CellW(), cellH = CellH();
  const int32_t left = (x - 1) * cellW, top = (y - 1) * cellH + 20;
  if (p.Size == 0 && p.Kind != pkIsland && std::abs(G.LevelTicks - p.EmptySince) < 250) {
    // The pad has just gone under water.
    TPictureCollectionItem& splash = *pictures.Splash;
    return {&splash, false,
            Bounds(left + (cellW - splash.Width()) / 2, top + (cellH - splash.Height()) / 2,
                   splash.Width(), splash.Height())};
  }
  if (p.Size > 0) {
    TPictureCollectionItem& pad = *pictures.Pads[p.Kind];
    const int32_t h = pad.Height() * p.Size / pad.Width();
    return {&pad, true, Bounds(left + (cellW - p.Size) / 2, top + (cellH - h) / 2, p.Size, h)};
  }
  return {};
}

void DrawPadLook(TSurface& dest, const TPadLook& look) {
  if (!look.Picture) return;
  if (look.Stretched)
    look.Picture->StretchDraw(dest, look.Rect, 0);
  else
    look.Picture->Draw(dest, look.Rect.Left, look.Rect.Top, 0);
}

void TPondLayer::DrawWaterIn(const TRect& r) {
  if (water_)
    picture_.CopyFrom(r.Left, r.Top, *water_, r);
  else
    picture_.FillRect(r, fill_);
}

const TSurface& TPondLayer::Update(const TSurface* water, uint32_t fill, const TPixelFormat& f,
                                   uint32_t generation) {
  changed_.Clear();
  const TPadPictures pictures;
  const size_t cells = static_cast<size_t>(G.GridCols > 0 ? G.GridCols : 0) *
                       static_cast<size_t>(G.GridRows > 0 ? G.GridRows : 0);
  std::vector<TPadLook> looks(cells);
  for (int32_t x = 1, i = 0; x <= G.GridCols; ++x)
    for (int32_t y = 1; y <= G.GridRows; ++y, ++i) looks[i] = LookOfPad(pictures, x, y);

  if (!built_ || water != water_ || (!water && fill != fill_) || !(picture_.Format() == f) ||
      generation != generation_ || G.GridCols != cols_ || G.GridRows != rows_) {
    picture_.Resize(640, 480, f);
    water_ = water;
    fill_ = fill;
    generation_ = generation;
    cols_ = G.GridCols;
    rows_ = G.GridRows;
    built_ = true;
    DrawWaterIn(picture_.ClientRect());
    for (const TPadLook& look : looks) DrawPadLook(picture_, look);
    looks_ = std::move(looks);
    changed_.SetWhole();
    return picture_;
  }

  // Where the changed cells were and are, then every pad overlapping that, until none is left.
  TDamage area;
  std::vector<bool> redraw(cells, false);
  for (size_t i = 0; i < cells; ++i)
    if (!(looks[i] == looks_[i])) {
      area.Add(looks_[i].Rect);
      area.Add(looks[i].Rect);
      redraw[i] = true;
    }
  if (area.Empty()) return picture_;
  for (bool grew = true; grew;) {
    grew = false;
    for (size_t i = 0; i < cells; ++i) {
      if (redraw[i] || !looks[i].Picture) continue;
      for (const TRect& r : area.Rects())
        if (Overlaps(r, looks[i].Rect)) {
          redraw[i] = grew = true;
          area.Add(looks[i].Rect);
          break;
        }
    }
  }
  for (const TRect& r : area.Rects()) DrawWaterIn(Intersect(r, picture_.ClientRect()));
  for (size_t i = 0; i < cells; ++i)
    if (redraw[i]) DrawPadLook(picture_, looks[i]);
  for (const TRect& r : area.Rects()) changed_.Add(Intersect(r, picture_.ClientRect()));
  looks_ = std::move(looks);
  return picture_;
}
