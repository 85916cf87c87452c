// The browser's side of the HTTP client: the page's fetch. Its answers arrive on the page's
// own turn (tarvelle_http_done) and wait there for Poll, as the desktop's do.
#include <emscripten.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "platform/http_client.h"

namespace http {
namespace {

struct TCall {
  TDone Done;
  TAnswer Answer;
  bool Ended = false;
};

std::map<int, TCall> calls;
int nextId = 1;

}  // namespace
}  // namespace http

// Starts a fetch; its end calls tarvelle_http_done with the call's id.
EM_JS(void, tarvelle_fetch_start, (int id, const char* method, const char* url, const char* type,
                                   const char* body, int size, int timeoutSeconds), {
  const init = { method: UTF8ToString(method), cache: "no-store" };
  if (size > 0) {
    init.body = HEAPU8.slice(body, body + size);
    init.headers = { "Content-Type": UTF8ToString(type) };
  }
  const address = UTF8ToString(url);
  const stop = typeof AbortController === "function" ? new AbortController() : null;
  if (stop) {
    init.signal = stop.signal;
    setTimeout(() => stop.abort(), timeoutSeconds * 1000);
  }
  const done = (status, data, retry, error) => {
    const bytes = data || new Uint8Array(0);
    const at = _malloc(bytes.length + 1);
    HEAPU8.set(bytes, at);
    const why = new TextEncoder().encode(error || "");
    const whyAt = _malloc(why.length + 1);
    HEAPU8.set(why, whyAt);
    HEAPU8[whyAt + why.length] = 0;
    _tarvelle_http_done(id, status, at, bytes.length, retry, whyAt);
    _free(at);
    _free(whyAt);
  };
  fetch(address, init).then(async (answer) => {
    const data = new Uint8Array(await answer.arrayBuffer());
    const retry = parseInt(answer.headers.get("Retry-After") || "0", 10) || 0;
    done(answer.status, data, retry, "");
  }).catch((e) => done(0, null, 0, String(e && e.message || e)));
});

extern "C" EMSCRIPTEN_KEEPALIVE void tarvelle_http_done(int id, int status, const char* data,
                                                        int size, int retryAfter,
                                                        const char* error) {
  auto it = http::calls.find(id);
  if (it == http::calls.end()) return;
  http::TAnswer& a = it->second.Answer;
  a.Status = status;
  if (static_cast<size_t>(size) <= http::kMaxAnswerSize) {
    a.Body.assign(data, static_cast<size_t>(size));
  } else {
    a.Status = 0;
    a.Error = "the answer was too long";
  }
  a.RetryAfter = retryAfter;
  if (status == 0) a.Error = error;
  it->second.Ended = true;
}

namespace http {

void Send(TRequest request, TDone done) {
  const int id = nextId++;
  calls[id] = TCall{std::move(done), {}, false};
  tarvelle_fetch_start(id, request.Method.c_str(), request.Url.c_str(), request.ContentType.c_str(),
                       request.Body.data(), static_cast<int>(request.Body.size()),
                       request.TimeoutSeconds);
}

void Poll() {
  std::vector<TCall> ended;
  for (auto it = calls.begin(); it != calls.end();) {
    if (it->second.Ended) {
      ended.push_back(std::move(it->second));
      it = calls.erase(it);
    } else {
      ++it;
    }
  }
  for (TCall& c : ended)
    if (c.Done) c.Done(c.Answer);
}

size_t Pending() {
  return calls.size();
}

bool Wait(int32_t) {
  // The page can't wait: its answers come on its own turns.
  Poll();
  return calls.empty();
}

TAnswer Transfer(const TRequest&) {
  TAnswer a;
  a.Error = "the page sends only in the background";
  return a;
}

}  // namespace http
