// The transfer on Linux: libcurl.
#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <mutex>

#include "platform/http_client.h"

namespace http {
namespace {

struct TSink {
  TAnswer* Answer;
  bool TooLong = false;
};

size_t TakeBody(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<TSink*>(user);
  const size_t n = size * count;
  if (sink->Answer->Body.size() + n > kMaxAnswerSize) {
    sink->TooLong = true;
    return 0;  // ends the transfer
  }
  sink->Answer->Body.append(data, n);
  return n;
}

size_t TakeHeader(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<TSink*>(user);
  const size_t n = size * count;
  const std::string line(data, n);
  constexpr const char* name = "retry-after:";
  if (line.size() > 12) {
    bool same = true;
    for (size_t i = 0; i < 12 && same; ++i)
      same = static_cast<char>(std::tolower(static_cast<unsigned char>(line[i]))) == name[i];
    if (same) sink->Answer->RetryAfter = std::atoi(line.c_str() + 12);
  }
  return n;
}

}  // namespace

TAnswer Transfer(const TRequest& request) {
  static std::once_flag init;
  std::call_once(init, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  TAnswer answer;
  CURL* curl = curl_easy_init();
  if (!curl) {
    answer.Error = "the network library could not start";
    return answer;
  }
  TSink sink{&answer};
  curl_slist* headers = nullptr;
  if (!request.ContentType.empty())
    headers = curl_slist_append(headers, ("Content-Type: " + request.ContentType).c_str());
  headers = curl_slist_append(headers, "Expect:");  // no 100-continue round trip
  curl_easy_setopt(curl, CURLOPT_URL, request.Url.c_str());
  curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.Method.c_str());
  if (request.Method == "POST" || !request.Body.empty()) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.Body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.Body.size()));
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, TakeBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, TakeHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(request.TimeoutSeconds));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // a worker thread: no alarms
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Tarvelle");
  const CURLcode result = curl_easy_perform(curl);
  if (result == CURLE_OK) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    answer.Status = static_cast<int32_t>(status);
  } else {
    answer.Status = 0;
    answer.Body.clear();
    answer.Error = sink.TooLong ? "the answer was too long" : curl_easy_strerror(result);
  }
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return answer;
}

}  // namespace http
