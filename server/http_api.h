#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

#include "server/rate_limit.h"
#include "server/store.h"
#include "server/work_queue.h"

namespace httplib {
class Server;
}

struct TApiOptions {
  std::string ShippedLevels;     // the checksum of the game's own level file
  int64_t AnswerWithinMs = 3000;  // a submission verified by then is answered at once
  int64_t MaxWaiting = 200;       // jobs waiting, past which submissions get 503
  int PerMinute = 10;             // submissions (and packs) per address per minute
  int64_t TableCacheMs = 1000;    // a table read is kept this long for the same question
};

// The API of the world table and the pack exchange (docs/server.md): /api/v1/scores,
// /api/v1/replays, /api/v1/packs. Every answer may be read from any origin.
class TApi {
 public:
  TApi(TStore& store, TWorkQueue& queue, TApiOptions options);
  void AddRoutes(httplib::Server& server);

 private:
  struct TCached {
    int64_t Until = 0;
    std::string Body;
  };
  std::string TableBody(const std::string& levels, int32_t difficulty, int32_t limit,
                        int64_t around);

  TStore& store_;
  TWorkQueue& queue_;
  TApiOptions options_;
  TRateLimit limit_;
  std::mutex cacheMutex_;
  std::unordered_map<std::string, TCached> cache_;
};

// A new id: 16 random hex digits.
std::string NewId();
