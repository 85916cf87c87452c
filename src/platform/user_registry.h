#pragma once
#include <cstdint>
#include <string>

// The per-user branch of the system's settings store, where the system has one (Windows'
// registry, under HKEY_CURRENT_USER). Elsewhere Available() is false and every key fails to
// open: the settings live in a file there.
namespace user_registry {

bool Available();

struct TValue {
  enum TType { vtMissing, vtDword, vtString, vtOther };
  TType Type = vtMissing;
  int32_t Number = 0;  // vtDword
  std::string Text;    // vtString, in UTF-8
};

class TKey {
 public:
  TKey() = default;
  ~TKey();
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;

  // Opens subkey ("Software\\Morvane\\Tarvelle Free") with full access, creating it when
  // `create` is set; `created` (when given) tells whether it was made now.
  bool Open(const std::string& subkey, bool create, bool* created = nullptr);
  bool IsOpen() const { return handle_ != nullptr; }
  TValue Read(const std::string& name) const;
  // False (with error set) when the value can't be written.
  bool WriteDword(const std::string& name, int32_t value, std::string* error);
  bool WriteString(const std::string& name, const std::string& value, std::string* error);

 private:
  void* handle_ = nullptr;
};

// Removes subkey with its values (for tests).
bool DeleteKey(const std::string& subkey);

}  // namespace user_registry
