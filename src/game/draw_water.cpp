// The pond's water, the background of the playfield, the title and the help pages.
#include "game/globals.h"
#include "game/main_form.h"
#include "game/screen_calls.h"

void DrawWater() {
  if (!MainForm) return;
  TSurface& s = MainForm->DXDraw.Surface();
  if (G.WaterLoaded) {
    // The two pictures take turns every 400 ms, so the water shimmers.
    TPictureCollectionItem& water =
        MainForm->ImageList.Find(G.LevelTicks % 800 >= 400 ? "Water2" : "Water1");
    s.CopyFrom(0, 0, water.SurfaceIn(s.Format()), {0, 0, 640, 480});
  } else {
    s.Fill(ToSurfaceColor(s.Format(), 70, 177, 221));
  }
}
