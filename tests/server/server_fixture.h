#pragma once
// A tarvelle-server in the test's process: the API on a port of its own, its SQLite file in a
// temporary folder, the real players (tarvelle-drive, tarvelle-bot of the build) verifying and
// proving in sandboxed children. Games are recorded by the real game, headless.
#include <httplib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>

#include "game/level_pack.h"
#include "game/replay.h"
#include "game/replay_recorder.h"
#include "server/check_verifier.h"
#include "server/http_api.h"
#include "server/sandbox_run.h"
#include "server/store.h"
#include "server/work_queue.h"
#include "tools/drive/driver.h"
#include "tools/drive/script.h"

namespace server_test {

inline std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A game of the real game, recorded: started at difficulty 2 with seed, playing script (after
// the start), on the levels being played (the game's own unless a pack is set).
inline std::string RecordGame(uint32_t seed, const std::string& script) {
  TDriverOptions o;
  o.Seed = seed;
  THeadlessDriver driver(o);
  SetReplayRecording(true);
  std::ostringstream out;
  // Left by the exit prompt: the game ends and its replay is written.
  driver.Run(ParseScript("difficulty 2\nstart 1\n" + script + "tap Esc\nframes 2\ntap Y\nframes 2\n"), out);
  SetReplayRecording(false);
  return ReadAll(LastReplayFile());
}

class TServer {
 public:
  explicit TServer(TApiOptions api = {}, bool workers = true) {
    const std::string build = TARVELLE_BUILD_DIR;
    store_ = std::make_unique<TStore>(folder_ / "tarvelle.sqlite");
    std::map<uint32_t, std::unique_ptr<IVerifier>> verifiers;
    verifiers[PlayRules] = std::make_unique<TCheckVerifier>(build + "/tarvelle-check", build);
    TWorkOptions work;
    work.Workers = 2;
    work.LeaseMs = 5000;
    work.ShippedLevels = LevelsText(ReplayChecksum(ReadAll(build + "/LevelsFree.dat")));
    shipped_ = work.ShippedLevels;
    queue_ = std::make_unique<TWorkQueue>(*store_, std::move(verifiers),
                                          std::make_unique<TBotProver>(build + "/tarvelle-bot"),
                                          work);
    api.ShippedLevels = work.ShippedLevels;
    api.TableCacheMs = 0;
    api_ = std::make_unique<TApi>(*store_, *queue_, api);
    api_->AddRoutes(http_);
    http_.set_payload_max_length(2 * 1024 * 1024);
    port_ = http_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { http_.listen_after_bind(); });
    if (workers) queue_->Start();
  }
  ~TServer() {
    http_.stop();
    thread_.join();
  }

  httplib::Client Client() const {
    httplib::Client c("127.0.0.1", port_);
    c.set_read_timeout(30, 0);
    return c;
  }
  // status and the answer's JSON (null when it is none).
  std::pair<int, nlohmann::json> Post(const std::string& path, const std::string& body) {
    auto r = Client().Post(path.c_str(), body, "application/octet-stream");
    if (!r) return {0, nullptr};
    return {r->status, nlohmann::json::parse(r->body, nullptr, false)};
  }
  std::pair<int, nlohmann::json> Get(const std::string& path) {
    auto r = Client().Get(path.c_str());
    if (!r) return {0, nullptr};
    return {r->status, nlohmann::json::parse(r->body, nullptr, false)};
  }
  // A submission to its verdict: a pending answer is asked again until it is decided (a
  // busy machine verifies slower than the server waits before answering).
  std::pair<int, nlohmann::json> Submit(const std::string& name, const std::string& replay) {
    auto answer = Post("/api/v1/scores?name=" + name, replay);
    for (int i = 0; i < 600 && answer.first == 202; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      answer = Get("/api/v1/scores/" + answer.second["id"].get<std::string>());
    }
    return answer;
  }
  std::string GetBytes(const std::string& path) {
    auto r = Client().Get(path.c_str());
    return r && r->status == 200 ? r->body : "";
  }
  TWorkQueue& Queue() { return *queue_; }
  TStore& Store() { return *store_; }
  const std::string& Shipped() const { return shipped_; }

 private:
  TTempFolder folder_;
  std::unique_ptr<TStore> store_;
  std::unique_ptr<TWorkQueue> queue_;
  std::unique_ptr<TApi> api_;
  httplib::Server http_;
  int port_ = 0;
  std::thread thread_;
  std::string shipped_;
};

}  // namespace server_test
