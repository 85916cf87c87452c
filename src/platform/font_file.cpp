#include "platform/font_file.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>

namespace {

bool fontconfigUsed = false;

bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string FontconfigFile(const std::string& family, bool bold) {
  if (!FcInit()) return "";
  fontconfigUsed = true;
  std::string file;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
      file = reinterpret_cast<const char*>(path);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

std::string FindFontFile(const std::string& family, bool bold) {
  std::string file = FontconfigFile(family, bold);
  if (IsFile(file)) return file;
  const std::string style = bold ? "Bold" : "Regular";
  for (const char* folder :
       {"/usr/share/fonts/truetype/liberation2/", "/usr/share/fonts/truetype/liberation/"}) {
    file = std::string(folder) + "LiberationSans-" + style + ".ttf";
    if (IsFile(file)) return file;
  }
  return "";
}

void ReleaseFontFinder() {
  if (fontconfigUsed) FcFini();  // fontconfig keeps its configuration until told to let go
  fontconfigUsed = false;
}
