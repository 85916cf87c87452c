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

void TPondLayer::DrawWaterIn(TSlot& slot, const TRect& r) {
  if (slot.Water)
    slot.Picture.CopyFrom(r.Left, r.Top, *slot.Water, r);
  else
    slot.Picture.FillRect(r, slot.Fill);
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

  // The picture made over this water, else the one used longest ago.
  TSlot* slot = &slots_[0];
  for (TSlot& s : slots_)
    if (s.Built && s.Water == water) {
      slot = &s;
      break;
    } else if (s.Used < slot->Used) {
      slot = &s;
    }
  slot->Used = ++updates_;
  TSlot& p = *slot;
  if (!p.Built || water != p.Water || (!water && fill != p.Fill) || !(p.Picture.Format() == f) ||
      generation != p.Generation || G.GridCols != p.Cols || G.GridRows != p.Rows) {
    // Every pixel is drawn again below: a picture of the right size needs no clearing first.
    if (p.Picture.Width() != 640 || p.Picture.Height() != 480 || !(p.Picture.Format() == f))
      p.Picture.Resize(640, 480, f);
    p.Water = water;
    p.Fill = fill;
    p.Generation = generation;
    p.Cols = G.GridCols;
    p.Rows = G.GridRows;
    p.Built = true;
    DrawWaterIn(p, p.Picture.ClientRect());
    for (const TPadLook& look : looks) DrawPadLook(p.Picture, look);
    p.Looks = std::move(looks);
    changed_.SetWhole();
    return p.Picture;
  }

  // Where the changed cells were and are, then every pad overlapping that, until none is left.
  TDamage area;
  std::vector<bool> redraw(cells, false);
  for (size_t i = 0; i < cells; ++i)
    if (!(looks[i] == p.Looks[i])) {
      area.Add(p.Looks[i].Rect);
      area.Add(looks[i].Rect);
      redraw[i] = true;
    }
  if (area.Empty()) return p.Picture;
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
  for (const TRect& r : area.Rects()) DrawWaterIn(p, Intersect(r, p.Picture.ClientRect()));
  for (size_t i = 0; i < cells; ++i)
    if (redraw[i]) DrawPadLook(p.Picture, looks[i]);
  for (const TRect& r : area.Rects()) changed_.Add(Intersect(r, p.Picture.ClientRect()));
  p.Looks = std::move(looks);
  return p.Picture;
}
