// Linux and the web browser have no registry: the settings are a file there.
#include "platform/user_registry.h"

namespace user_registry {

bool Available() {
  return false;
}

TKey::~TKey() = default;

bool TKey::Open(const std::string&, bool, bool* created) {
  if (created) *created = false;
  return false;
}

TValue TKey::Read(const std::string&) const {
  return {};
}

bool TKey::WriteDword(const std::string&, int32_t, std::string* error) {
  if (error) *error = "no registry";
  return false;
}

bool TKey::WriteString(const std::string&, const std::string&, std::string* error) {
  if (error) *error = "no registry";
  return false;
}

bool DeleteKey(const std::string&) {
  return false;
}

}  // namespace user_registry
