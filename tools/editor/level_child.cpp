#include "tools/editor/level_child.h"

#include <array>
#include <string_view>

#include "game/level_check.h"

std::string StartOnLevel(TChildProcess& child, const std::vector<std::string>& args,
                         const TLevelRecord& level) {
  const std::vector<TLevelProblem> errors = LevelRecordErrors(level);
  if (!errors.empty()) return "mend the level first: " + errors.front().Text;
  std::array<uint8_t, LevelRecordSize> record{};
  EncodeLevelRecord(level, record);
  std::string error;
  if (!child.Start(args, &error,
                   std::string_view(reinterpret_cast<const char*>(record.data()), record.size())))
    return error.empty() ? "it did not start" : error;
  return {};
}
