// The catalogue's scaled, turned and translucent drawing, on the game's own pixel routines.
#include "media/draw_ops.h"
#include "media/image_item.h"

void TPictureCollectionItem::StretchDraw(TSurface& dest, const TRect& destRect, int pattern) {
  if (pattern < 0 || pattern >= PatternCount()) return;
  SurfaceIn(dest.Format());
  const TPatternSurface p = PatternSurface(pattern);
  const bool scaled = destRect.Width() != p.Rect.Width() || destRect.Height() != p.Rect.Height();
  if (Transparent && scaled) {
    // Scaled keyed drawing copies the opaque runs of the pattern kept at that size, or else
    // stretches the picture's opaque runs (found once per surface).
    if (const TSizedPictures::TEntry* e =
            sized_.Get(*p.Surface, p.Rect, destRect.Width(), destRect.Height(), keyPixel_)) {
      DrawSized(dest, destRect.Left, destRect.Top, *e);
      return;
    }
    if (spans_.Empty()) spans_ = FindKeySpans(*p.Surface, keyPixel_);
    StretchDrawSpans(dest, destRect, *p.Surface, p.Rect, spans_);
    return;
  }
  ::StretchDraw(dest, destRect, *p.Surface, p.Rect, Transparent, keyPixel_);
}

void TPictureCollectionItem::DrawRotate(TSurface& dest, int x, int y, int width, int height,
                                        int pattern, double cx, double cy, int angle) {
  DrawRotateAlpha(dest, x, y, width, height, pattern, cx, cy, angle, 255);
}

void TPictureCollectionItem::DrawRotateAlpha(TSurface& dest, int x, int y, int width, int height,
                                             int pattern, double cx, double cy, int angle,
                                             int opacity) {
  if (pattern < 0 || pattern >= PatternCount()) return;
  SurfaceIn(dest.Format());
  const TPatternSurface p = PatternSurface(pattern);
  ::RotateDraw(dest, x, y, width, height, *p.Surface, p.Rect, cx, cy, angle, Transparent, keyPixel_,
               opacity);
}

void BlendImage(TSurface& dest, int x, int y, TPictureCollectionItem& source, TRect srcRect,
                int level) {
  if (source.PatternCount() < 1) return;
  // Pattern surface 0 holds the whole picture, so srcRect may take any pattern of a strip
  // (the score pop-ups blend their digits one by one from one strip).
  const TSurface& s = source.SurfaceIn(dest.Format());
  ::BlendImage(dest, x, y, s, srcRect, source.KeyPixel(), level);
}
