#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/user_registry.h"
#include "platform/wide_text_windows.h"

namespace user_registry {

namespace {

HKEY Handle(void* h) {
  return static_cast<HKEY>(h);
}

std::string ErrorText(LONG code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0,
                 nullptr);
  std::string out = text ? wide::ToUtf8(text) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
    out.pop_back();
  return out;
}

}  // namespace

bool Available() {
  return true;
}

TKey::~TKey() {
  if (handle_) RegCloseKey(Handle(handle_));
}

bool TKey::Open(const std::string& subkey, bool create, bool* created) {
  if (created) *created = false;
  if (handle_) RegCloseKey(Handle(handle_));
  handle_ = nullptr;
  HKEY key = nullptr;
  const std::wstring name = wide::FromUtf8(subkey);
  DWORD disposition = 0;
  const LONG result =
      create ? RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition)
             : RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, KEY_ALL_ACCESS, &key);
  if (result != ERROR_SUCCESS) return false;
  handle_ = key;
  if (created) *created = disposition == REG_CREATED_NEW_KEY;
  return true;
}

TValue TKey::Read(const std::string& name) const {
  TValue v;
  if (!handle_) return v;
  const std::wstring wname = wide::FromUtf8(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(Handle(handle_), wname.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return v;
  std::vector<BYTE> data(size + sizeof(wchar_t));
  if (RegQueryValueExW(Handle(handle_), wname.c_str(), nullptr, &type, data.data(), &size) !=
      ERROR_SUCCESS)
    return v;
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD n = 0;
    std::memcpy(&n, data.data(), sizeof n);
    v.Type = TValue::vtDword;
    v.Number = static_cast<int32_t>(n);
  } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    v.Type = TValue::vtString;
    v.Text = wide::ToUtf8(text);
  } else {
    v.Type = TValue::vtOther;
  }
  return v;
}

bool TKey::WriteDword(const std::string& name, int32_t value, std::string* error) {
  const DWORD n = static_cast<DWORD>(value);
  const LONG result =
      handle_ ? RegSetValueExW(Handle(handle_), wide::FromUtf8(name).c_str(), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&n), sizeof n)
              : ERROR_INVALID_HANDLE;
  if (result != ERROR_SUCCESS && error) *error = ErrorText(result);
  return result == ERROR_SUCCESS;
}

bool TKey::WriteString(const std::string& name, const std::string& value, std::string* error) {
  const std::wstring text = wide::FromUtf8(value);
  const LONG result =
      handle_ ? RegSetValueExW(Handle(handle_), wide::FromUtf8(name).c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)))
              : ERROR_INVALID_HANDLE;
  if (result != ERROR_SUCCESS && error) *error = ErrorText(result);
  return result == ERROR_SUCCESS;
}

bool DeleteKey(const std::string& subkey) {
  // With a subkey named, the key itself goes too.
  return RegDeleteTreeW(HKEY_CURRENT_USER, wide::FromUtf8(subkey).c_str()) == ERROR_SUCCESS;
}

}  // namespace user_registry
