#include "platform/web_canvas.h"

#include <emscripten.h>

#include "pixels/rgba_rows.h"

TWebCanvas::~TWebCanvas() {
  EM_ASM({
    const c = document.getElementById("picture");
    if (c) c.hidden = true;
  });
}

void TWebCanvas::Show(const TSurface& pic, const std::vector<TRect>* changed, const TRect& place,
                      double pixelRatio, bool smooth) {
  const int w = pic.Width(), h = pic.Height();
  if (w <= 0 || h <= 0) return;
  if (w != width_ || h != height_) {
    rgba_.assign(size_t(w) * h * 4, 0);
    changed = nullptr;
  }
  rects_.clear();
  if (!changed) {
    rects_.push_back(pic.ClientRect());
  } else {
    for (const TRect& r : *changed) {
      const TRect c = Intersect(r, pic.ClientRect());
      if (!c.Empty()) rects_.push_back(c);
    }
  }
  for (const TRect& r : rects_) CopyToRgba(pic, r, rgba_.data(), w * 4);
  const bool moved = place != place_ || pixelRatio != pixelRatio_ || smooth != smooth_ ||
                     w != width_ || h != height_;
  // The canvas is looked up once; a picture made whole again after the browser dropped the
  // canvas's memory (contextlost, then contextrestored) is put whole.
  const int shown = EM_ASM_INT({
    const m = Module;
    let c = m.tarvellePicture;
    if (!c) {
      c = m.tarvellePicture = document.getElementById("picture");
      if (!c) return 0;
      c.addEventListener("contextrestored", () => { m.tarvellePictureStale = true; });
    }
    if (c.width !== $1 || c.height !== $2) {
      c.width = $1;
      c.height = $2;
      m.tarvellePictureStale = true;
    }
    if (!m.tarvellePictureContext) m.tarvellePictureContext = c.getContext("2d", { alpha: false });
    const ctx = m.tarvellePictureContext;
    if (!ctx) return 0;
    let image = m.tarvellePictureImage;
    if (!image || image.data.buffer !== HEAPU8.buffer || m.tarvellePictureAt !== $0 ||
        image.width !== $1 || image.height !== $2) {
      image = m.tarvellePictureImage = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, $0, $1 * $2 * 4), $1, $2);
      m.tarvellePictureAt = $0;
    }
    if (m.tarvellePictureStale) {
      m.tarvellePictureStale = false;
      ctx.putImageData(image, 0, 0);
    } else {
      for (let i = 0; i < $4; i++) {
        const r = ($3 >> 2) + 4 * i;
        ctx.putImageData(image, 0, 0, HEAP32[r], HEAP32[r + 1], HEAP32[r + 2] - HEAP32[r],
                         HEAP32[r + 3] - HEAP32[r + 1]);
      }
    }
    return 1;
  }, rgba_.data(), w, h, rects_.data(), static_cast<int>(rects_.size()));
  if (!shown) return;
  if (moved) {
    EM_ASM({
      const c = Module.tarvellePicture;
      const s = c.style;
      s.left = $0 + "px";
      s.top = $1 + "px";
      s.width = $2 + "px";
      s.height = $3 + "px";
      s.imageRendering = $4 ? "auto" : "pixelated";
      c.hidden = false;
    }, place.Left / pixelRatio, place.Top / pixelRatio, place.Width() / pixelRatio,
       place.Height() / pixelRatio, smooth ? 1 : 0);
  }
  width_ = w;
  height_ = h;
  place_ = place;
  pixelRatio_ = pixelRatio;
  smooth_ = smooth;
}
