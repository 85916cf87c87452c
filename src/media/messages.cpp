#include "media/messages.h"

#include <algorithm>

namespace {
bool SameKey(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}
}  // namespace

TMessageTable::TMessageTable(std::span<const std::string_view> lines) {
  for (std::string_view line : lines) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq), text = line.substr(eq + 1);
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& e) { return SameKey(e.first, key); });
    if (it != entries_.end())
      it->second = std::string(text);
    else
      entries_.emplace_back(std::string(key), std::string(text));
  }
}

std::string TMessageTable::Value(std::string_view key) const {
  for (const auto& [k, text] : entries_)
    if (SameKey(k, key)) return text;
  return {};
}

const TMessageTable& Messages() {
  static constexpr std::string_view kLines[] = {
      "fin1=Congratulations!",
      "fin1a=You have finished all levels!",
  };
  static const TMessageTable table(kLines);
  return table;
}
