#include "media/image_item.h"

void TPictureCollectionItem::SetPicture(TSurface picture) {
  picture_ = picture.Format() == TPixelFormat::XRGB8888()
                 ? std::move(picture)
                 : picture.Converted(TPixelFormat::XRGB8888());
  stale_ = true;
}

void TPictureCollectionItem::SetTransparentColor(uint32_t color) {
  transparentColor_ = color & 0xFFFFFF;
  keyPixel_ = ColorToPixel(format_, transparentColor_);
  spans_ = {};
  sized_.Clear();
}

int32_t TPictureCollectionItem::PatternCount() const {
  const int32_t w = Width(), h = Height();
  if (w <= 0 || h <= 0) return 0;
  return (picture_.Width() / w) * (picture_.Height() / h);
}

TPatternSurface TPictureCollectionItem::PatternSurface(int i) {
  if (i < 0 || i >= PatternCount()) return {};
  const int32_t w = Width(), h = Height();
  const int32_t cols = picture_.Width() / w;
  return {&SurfaceIn(format_), Bounds(i % cols * w, i / cols * h, w, h)};
}

void TPictureCollectionItem::Restore(const TPixelFormat& format) {
  format_ = format;
  keyPixel_ = ColorToPixel(format_, transparentColor_);
  stale_ = false;
  spans_ = {};
  sized_.Clear();
  if (picture_.IsEmpty()) {
    surface_ = TSurface();
    return;
  }
  surface_ = format == picture_.Format() ? picture_ : picture_.Converted(format);
}

const TSurface& TPictureCollectionItem::SurfaceIn(const TPixelFormat& f) {
  if (stale_ || !(f == format_)) Restore(f);
  return surface_;
}

void TPictureCollectionItem::Draw(TSurface& dest, int x, int y, int pattern) {
  if (pattern < 0 || pattern >= PatternCount()) return;
  const TSurface& s = SurfaceIn(dest.Format());
  const TPatternSurface p = PatternSurface(pattern);
  if (Transparent)
    dest.CopyFromKeyed(x, y, s, p.Rect, keyPixel_);
  else
    dest.CopyFrom(x, y, s, p.Rect);
}
