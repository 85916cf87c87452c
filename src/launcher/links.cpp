#include "launcher/links.h"

#include <cctype>
#include <cstdio>

std::string UrlEncode(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string WebPageAddress(const std::string& page, int32_t maxLevel, bool gameStarted) {
  std::string address = std::string(kWebSiteRoot) + page;
  address += address.find('?') != std::string::npos ? "&" : "?";
  address += "from=TV_" + std::string(kGameVersion) + "_Free";
  if (!gameStarted) address += "_A";
  address += "&lev=" + std::to_string(maxLevel);
  return address;
}

std::string SupportMailAddress() {
  return "mailto:" + std::string(kSupportMail) +
         "?subject=" + UrlEncode("Tarvelle " + std::string(kGameVersion));
}

std::string FileAddress(const std::string& path) {
  std::string out = "file://";
  std::string::size_type start = 0;
  // A path from a drive ("C:/Games/...", Windows) is written file:///C:/Games/...
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive) {
    out += '/';
    out.append(path, 0, 2);
    start = 2;
  }
  // Each part of the path is encoded; the slashes between them stay.
  while (start <= path.size()) {
    const auto slash = path.find('/', start);
    const auto end = slash == std::string::npos ? path.size() : slash;
    out += UrlEncode(std::string_view(path).substr(start, end - start));
    if (slash == std::string::npos) break;
    out += '/';
    start = slash + 1;
  }
  return out;
}
