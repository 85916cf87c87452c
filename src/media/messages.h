#pragma once
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Named texts, built from lines "key=text".
class TMessageTable {
 public:
  // Lines without '=' are skipped; a key given twice keeps its first place and last text.
  explicit TMessageTable(std::span<const std::string_view> lines);
  // The text of the key, compared without regard to letter case; empty for an unknown key.
  std::string Value(std::string_view key) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// The game's message table ("fin1", "fin1a": the closing congratulation).
const TMessageTable& Messages();
