// The transfer on Windows: the system's WinHTTP.
#include <windows.h>
#include <winhttp.h>

#include <string>

#include "platform/http_client.h"
#include "platform/wide_text_windows.h"

namespace http {
namespace {

// Closes a WinHTTP handle when it goes out of scope.
struct THandle {
  HINTERNET H = nullptr;
  explicit THandle(HINTERNET h) : H(h) {}
  ~THandle() {
    if (H) WinHttpCloseHandle(H);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
};

std::string LastError(const char* what) {
  return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

TAnswer Transfer(const TRequest& request) {
  TAnswer answer;
  const std::wstring url = wide::FromUtf8(request.Url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  wchar_t host[256] = {};
  wchar_t path[4096] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = 4096;
  wchar_t extra[4096] = {};
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = 4096;
  if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) {
    answer.Error = "not a web address: " + request.Url;
    return answer;
  }
  THandle session(WinHttpOpen(L"Tarvelle", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                              WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session.H) {
    answer.Error = LastError("WinHttpOpen");
    return answer;
  }
  const int ms = request.TimeoutSeconds * 1000;
  WinHttpSetTimeouts(session.H, ms, 10000, ms, ms);
  THandle connection(WinHttpConnect(session.H, host, parts.nPort, 0));
  if (!connection.H) {
    answer.Error = LastError("WinHttpConnect");
    return answer;
  }
  const std::wstring target = std::wstring(path) + extra;
  const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  THandle call(WinHttpOpenRequest(connection.H, wide::FromUtf8(request.Method).c_str(), target.c_str(),
                                  nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                  secure ? WINHTTP_FLAG_SECURE : 0));
  if (!call.H) {
    answer.Error = LastError("WinHttpOpenRequest");
    return answer;
  }
  std::wstring headers;
  if (!request.ContentType.empty()) headers = L"Content-Type: " + wide::FromUtf8(request.ContentType);
  const auto size = static_cast<DWORD>(request.Body.size());
  if (!WinHttpSendRequest(call.H, headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                          headers.empty() ? 0 : static_cast<DWORD>(-1L),
                          size ? const_cast<char*>(request.Body.data()) : WINHTTP_NO_REQUEST_DATA,
                          size, size, 0) ||
      !WinHttpReceiveResponse(call.H, nullptr)) {
    answer.Error = LastError("sending");
    return answer;
  }
  DWORD status = 0, length = sizeof(status);
  WinHttpQueryHeaders(call.H, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                      WINHTTP_HEADER_NAME_BY_INDEX, &status, &length, WINHTTP_NO_HEADER_INDEX);
  DWORD retry = 0;
  length = sizeof(retry);
  if (WinHttpQueryHeaders(call.H, WINHTTP_QUERY_RETRY_AFTER | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &retry, &length, WINHTTP_NO_HEADER_INDEX))
    answer.RetryAfter = static_cast<int32_t>(retry);
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(call.H, &available)) {
      answer.Error = LastError("reading");
      answer.Body.clear();
      return answer;
    }
    if (available == 0) break;
    if (answer.Body.size() + available > kMaxAnswerSize) {
      answer.Error = "the answer was too long";
      answer.Body.clear();
      return answer;
    }
    const size_t at = answer.Body.size();
    answer.Body.resize(at + available);
    DWORD read = 0;
    if (!WinHttpReadData(call.H, answer.Body.data() + at, available, &read)) {
      answer.Error = LastError("reading");
      answer.Body.clear();
      return answer;
    }
    answer.Body.resize(at + read);
  }
  answer.Status = static_cast<int32_t>(status);
  return answer;
}

}  // namespace http
