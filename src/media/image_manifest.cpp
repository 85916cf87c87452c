#include "media/image_manifest.h"

#include <charconv>
#include <sstream>

#include "data/embedded.h"
#include "media/image_item.h"

namespace {

bool ParseInt(std::string_view s, int base, uint32_t& out) {
  if (s.empty()) return false;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out, base);
  return ec == std::errc() && end == s.data() + s.size();
}

// "WxH" with both parts decimal.
bool ParseSize(std::string_view s, int32_t& w, int32_t& h) {
  const size_t x = s.find('x');
  uint32_t a, b;
  if (x == std::string_view::npos || !ParseInt(s.substr(0, x), 10, a) ||
      !ParseInt(s.substr(x + 1), 10, b) || a > 65535 || b > 65535)
    return false;
  w = static_cast<int32_t>(a);
  h = static_cast<int32_t>(b);
  return true;
}

bool ParseKey(std::string_view s, TManifestRow& row) {
  static constexpr struct {
    std::string_view Name;
    uint32_t Color;
  } kNamed[] = {
      {"clBlack", clBlack}, {"clWhite", clWhite}, {"clFuchsia", clFuchsia}, {"clRed", clRed}};
  row.KeySource = TKeySource::Value;
  if (s == "none") {
    row.KeySource = TKeySource::None;
    return true;
  }
  if (s == "mirror") {
    row.KeySource = TKeySource::Mirror;
    return true;
  }
  for (const auto& n : kNamed)
    if (s == n.Name) {
      row.Key = n.Color;
      return true;
    }
  return s.starts_with("0x") && ParseInt(s.substr(2), 16, row.Key) && row.Key <= 0xFFFFFF;
}

bool ParseFlag(std::string_view s, bool& out) {
  if (s != "yes" && s != "no") return false;
  out = s == "yes";
  return true;
}

bool ParsePicture(std::string_view s, TManifestRow& row) {
  if (s == "pack") {
    row.Source = TPictureSource::Pack;
    return true;
  }
  if (s == "none") {
    row.Source = TPictureSource::None;
    return true;
  }
  if (s.starts_with("mirror:") && s.size() > 7) {
    row.Source = TPictureSource::Mirror;
    row.MirrorOf = std::string(s.substr(7));
    return true;
  }
  row.Source = TPictureSource::Embedded;
  return ParseSize(s, row.PictureWidth, row.PictureHeight);
}

}  // namespace

std::vector<TManifestRow> ParseImageManifest(std::string_view text) {
  std::vector<TManifestRow> rows;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string w; fields >> w;) f.push_back(w);
    if (f.empty()) continue;
    TManifestRow row;
    const auto fail = [&](const std::string& what) {
      return EManifestError("images.manifest line " + std::to_string(number) + ": " + what);
    };
    if (f.size() != 7) throw fail("expected 7 fields, found " + std::to_string(f.size()));
    row.List = f[0];
    row.Name = f[1];
    if (row.List != "ImageList" && row.List != "FoodImg") throw fail("unknown list " + f[0]);
    if (!ParsePicture(f[2], row)) throw fail("bad picture " + f[2]);
    if (!ParseSize(f[3], row.PatternWidth, row.PatternHeight)) throw fail("bad pattern " + f[3]);
    if (!ParseKey(f[4], row)) throw fail("bad colour key " + f[4]);
    if (!ParseFlag(f[5], row.Transparent)) throw fail("bad transparency " + f[5]);
    if (!ParseFlag(f[6], row.SystemMemory)) throw fail("bad system-memory flag " + f[6]);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string_view EmbeddedImageManifest() {
  for (const TEmbeddedFile& f : EmbeddedManifests())
    if (std::string_view(f.Name) == "images.manifest")
      return {reinterpret_cast<const char*>(f.Data), f.Size};
  return {};
}
