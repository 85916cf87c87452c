#pragma once
#include <string_view>

namespace text {

// a and b are the same but for the case of their ASCII letters (bytes beyond ASCII must match
// exactly), whatever the system's locale.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace text
