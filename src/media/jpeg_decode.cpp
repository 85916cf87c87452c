#include "media/jpeg_decode.h"

#include <csetjmp>
#include <vector>

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

constexpr int kMaxSide = 8192;  // a damaged header must not ask for gigabytes

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the Run that started the step. The steps hold no objects with destructors.
class TJpegReader {
 public:
  TJpegReader(const uint8_t* data, size_t size) {
    Info.err = jpeg_std_error(&err_.Mgr);
    err_.Mgr.error_exit = [](j_common_ptr c) {
      std::longjmp(reinterpret_cast<TError*>(c->err)->Jump, 1);
    };
    err_.Mgr.output_message = [](j_common_ptr) {};  // warnings stay quiet
    // A file that ends too soon is read on as if its last part were grey; such a picture is
    // damaged, and one that claims a large size would take long to fill.
    err_.Mgr.emit_message = [](j_common_ptr c, int level) {
      if (level < 0 && c->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<TError*>(c->err)->Truncated = true;
    };
    created_ = Run([&] { jpeg_create_decompress(&Info); });
    ok_ = created_ && Run([&] {
            jpeg_mem_src(&Info, data, static_cast<unsigned long>(size));
            jpeg_read_header(&Info, TRUE);
          });
  }
  ~TJpegReader() {
    if (created_) jpeg_destroy_decompress(&Info);
  }
  TJpegReader(const TJpegReader&) = delete;
  TJpegReader& operator=(const TJpegReader&) = delete;

  // Whether the header was read and declares a picture of a sensible size.
  bool HeaderOk() const {
    return ok_ && Info.image_width > 0 && Info.image_height > 0 && Info.image_width <= kMaxSide &&
           Info.image_height <= kMaxSide;
  }

  // Whether the data ran out before the picture was complete.
  bool Truncated() const { return err_.Truncated; }

  // Runs one libjpeg step; false when libjpeg gave up on the file.
  template <class F>
  bool Run(F&& step) {
    if (setjmp(err_.Jump)) return false;
    step();
    return true;
  }

  jpeg_decompress_struct Info{};

 private:
  struct TError {
    jpeg_error_mgr Mgr;  // first, so that libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf Jump;
    bool Truncated = false;
  };
  TError err_{};
  bool created_ = false, ok_ = false;
};

}  // namespace

bool IsJpeg(const uint8_t* data, size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

std::optional<TDecodedImage> DecodeJpeg(const uint8_t* data, size_t size) {
  TJpegReader r(data, size);
  if (!r.HeaderOk()) return std::nullopt;
  r.Info.out_color_space = JCS_RGB;
  if (!r.Run([&] { jpeg_start_decompress(&r.Info); }) || r.Info.output_components != 3 ||
      r.Truncated())
    return std::nullopt;
  const int w = static_cast<int>(r.Info.output_width), h = static_cast<int>(r.Info.output_height);
  TDecodedImage out;
  out.Pixels.Resize(w, h, TPixelFormat::XRGB8888());
  std::vector<uint8_t> line(static_cast<size_t>(w) * 3);
  JSAMPROW rows[1] = {line.data()};
  for (int y = 0; y < h; ++y) {
    if (!r.Run([&] { jpeg_read_scanlines(&r.Info, rows, 1); }) || r.Truncated())
      return std::nullopt;
    auto* row = reinterpret_cast<uint32_t*>(out.Pixels.Row(y));
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &line[static_cast<size_t>(x) * 3];
      row[x] = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  }
  // Every row is in: whatever may follow the last one cannot spoil the picture.
  r.Run([&] { jpeg_finish_decompress(&r.Info); });
  return out;
}

bool JpegSize(const uint8_t* data, size_t size, int& width, int& height) {
  TJpegReader r(data, size);
  if (!r.HeaderOk()) return false;
  width = static_cast<int>(r.Info.image_width);
  height = static_cast<int>(r.Info.image_height);
  return true;
}
