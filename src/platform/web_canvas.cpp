#include "platform/web_canvas.h"

#include <emscripten.h>

#include "pixels/damage.h"
#include "pixels/rgba_rows.h"

TWebCanvas::~TWebCanvas() {
  EM_ASM({
    Module.tarvellePictureStaleAt = 0;
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
  // The rectangles to put, those near each other as one (one call to the canvas each).
  TDamage put;
  if (!changed || stale_) {
    put.Add(pic.ClientRect());
    CopyToRgba(pic, pic.ClientRect(), rgba_.data(), w * 4);
  } else {
    // Only what differs from the picture as shown goes to the canvas: a sprite drawn again
    // where it was costs the comparison, and a frame with no pixel changed leaves the canvas
    // untouched (the browser then paints nothing).
    for (const TRect& r : *changed) put.Add(CopyChangedToRgba(pic, r, rgba_.data(), w * 4));
  }
  const bool moved = place != place_ || pixelRatio != pixelRatio_ || smooth != smooth_ ||
                     w != width_ || h != height_;
  if (put.Empty() && !moved) return;
  rects_ = put.Rects();
  // The canvas is looked up once; after the browser dropped the canvas's memory (contextlost,
  // then contextrestored) the next frame puts the whole picture.
  const int shown = EM_ASM_INT({
    const m = Module;
    let c = m.tarvellePicture;
    if (!c) {
      c = m.tarvellePicture = document.getElementById("picture");
      if (!c) return 0;
      c.addEventListener("contextrestored", () => {
        if (m.tarvellePictureStaleAt) HEAP32[m.tarvellePictureStaleAt >> 2] = 1;
      });
    }
    m.tarvellePictureStaleAt = $5;
    if (c.width !== $1 || c.height !== $2) {
      c.width = $1;
      c.height = $2;
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
    for (let i = 0; i < $4; i++) {
      const r = ($3 >> 2) + 4 * i;
      ctx.putImageData(image, 0, 0, HEAP32[r], HEAP32[r + 1], HEAP32[r + 2] - HEAP32[r],
                       HEAP32[r + 3] - HEAP32[r + 1]);
    }
    return 1;
  }, rgba_.data(), w, h, rects_.data(), static_cast<int>(rects_.size()), &stale_);
  if (!shown) return;
  stale_ = 0;
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
