#include <algorithm>

#include "media/draw_ops.h"
#include "pixels/blend_rows.h"

void BlendImage(TSurface& dest, int x, int y, const TSurface& source, TRect r, uint32_t key,
                int level) {
  if (level <= 0) return;
  const int dw = dest.Width(), dh = dest.Height();
  if (x >= dw || y >= dh) return;
  // Both surfaces must hold pixels of one size, or the rows would be read past their ends.
  const int bpp = dest.Format().BytesPerPixel();
  if (source.Format().BytesPerPixel() != bpp) return;

  // The source rectangle is inclusive: Right and Bottom are the last column and row drawn.
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, source.Width() - 1);
  r.Bottom = std::min(r.Bottom, source.Height() - 1);
  int w = r.Right - r.Left + 1, h = r.Bottom - r.Top + 1;
  if (w <= 0 || h <= 0 || x + w <= 0 || y + h <= 0) return;
  if (x + w > dw) r.Right = dw + r.Left - x - 1;
  if (y + h > dh) r.Bottom = dh + r.Top - y - 1;
  if (x < 0) {
    r.Left -= x;
    x = 0;
  }
  if (y < 0) {
    r.Top -= y;
    y = 0;
  }
  w = r.Right - r.Left + 1;
  h = r.Bottom - r.Top + 1;
  if (w <= 0 || h <= 0) return;
  dest.Touch(Bounds(x, y, w, h));

  const blend::TBlendFn blend = blend::PickBlend(dest.Format());
  if (!blend) return;
  blend(
      {dest.Row(y) + x * bpp, dest.Pitch(), source.Row(r.Top) + r.Left * bpp, source.Pitch(), w, h},
      key, std::min(level, 256));
}
