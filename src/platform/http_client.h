#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The one HTTP client of the program: requests are sent in the background (a worker thread on
// the desktop, the browser's fetch in the page) and their answers handed back on the caller's
// thread by Poll, so nothing waits for the network on a frame. Linux uses libcurl, Windows the
// system's WinHTTP, the browser fetch.
namespace http {

struct TRequest {
  std::string Method = "GET";
  std::string Url;
  std::string Body;         // sent when not empty
  std::string ContentType;  // of the body
  int32_t TimeoutSeconds = 30;
};

struct TAnswer {
  // The HTTP status; 0 when no answer came (no network, no such host, refused, timed out).
  int32_t Status = 0;
  std::string Body;
  int32_t RetryAfter = 0;  // seconds, from a Retry-After header (0 when none)
  std::string Error;       // why no answer came
};

// The largest answer body kept; a longer answer is cut off and reported as no answer.
constexpr size_t kMaxAnswerSize = 16 << 20;

using TDone = std::function<void(const TAnswer&)>;

// Sends request in the background; done is called from a later Poll.
void Send(TRequest request, TDone done);
// Calls the callbacks of the requests that have ended. Called once a frame.
void Poll();
// Requests sent and not yet handed back by Poll.
size_t Pending();
// Waits up to timeoutMs for the requests under way to end and hands them back (tools and tests);
// false when some are still under way.
bool Wait(int32_t timeoutMs);

// Percent-encodes everything but the letters, digits and "-._~" (a space becomes "%20").
std::string Encode(std::string_view text);

// The transfer itself, blocking, as the worker thread runs it (each system's own file).
TAnswer Transfer(const TRequest& request);

}  // namespace http
