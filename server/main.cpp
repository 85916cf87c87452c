// tarvelle-server: the world table and the pack exchange (docs/server.md).
#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "game/replay.h"
#include "platform/paths.h"
#include "server/child_verifier.h"
#include "server/http_api.h"
#include "server/options.h"
#include "server/pages.h"
#include "server/schema.h"
#include "server/store.h"
#include "server/work_queue.h"

namespace fs = std::filesystem;

namespace {

// The first of the folders that holds file, "" when none does.
std::string FolderWith(const std::vector<std::string>& folders, const std::string& file) {
  for (const std::string& f : folders)
    if (!f.empty() && fs::exists(fs::path(f) / file)) return fs::path(f).lexically_normal().string();
  return "";
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

int Serve(const TServerOptions& o, TStore& store) {
  const std::string exe = paths::ExecutableFolder();
  // The game's data, the players and the web version: beside the server in a build folder,
  // else where the package installs them.
  const std::string gameData =
      o.GameData.empty()
          ? FolderWith({exe, exe + TARVELLE_DATA_FROM_BIN, TARVELLE_DATA_DIR}, "LevelsFree.dat")
          : o.GameData;
  const std::string helpers = o.Helpers.empty()
                                  ? FolderWith({exe, exe + TARVELLE_HELPERS_FROM_BIN}, "tarvelle-drive")
                                  : o.Helpers;
  const std::string web =
      o.Web.empty() ? FolderWith({exe + "web", exe + "../web", gameData + "/web"}, "index.html")
                    : o.Web;
  const std::string levels = ReadFile(gameData + "/LevelsFree.dat");
  if (gameData.empty() || levels.empty()) {
    std::fprintf(stderr, "tarvelle-server: the game's LevelsFree.dat is not found (--game-data)\n");
    return 1;
  }
  if (helpers.empty() || !fs::exists(fs::path(helpers) / "tarvelle-bot")) {
    std::fprintf(stderr, "tarvelle-server: tarvelle-drive and tarvelle-bot are not found (--helpers)\n");
    return 1;
  }
  const TChildLimits limits{o.CpuSeconds, o.MemoryMb, o.WallMs};
  std::map<uint32_t, std::unique_ptr<IVerifier>> verifiers;
  verifiers[PlayRules] =
      std::make_unique<TChildVerifier>(helpers + "/tarvelle-drive", gameData, limits);
  for (const auto& [rules, program] : o.RulesPrograms)
    verifiers[rules] = std::make_unique<TChildVerifier>(program, gameData, limits);
  TWorkOptions work;
  work.Workers = o.Workers > 0 ? o.Workers : std::max(1u, std::thread::hardware_concurrency());
  work.LeaseMs = o.LeaseMs;
  work.ShippedLevels = LevelsText(ReplayChecksum(levels));
  TWorkQueue queue(store, std::move(verifiers),
                   std::make_unique<TBotProver>(helpers + "/tarvelle-bot"), work);

  TApiOptions api;
  api.ShippedLevels = work.ShippedLevels;
  api.AnswerWithinMs = o.AnswerWithinMs;
  api.MaxWaiting = o.MaxWaiting;
  api.PerMinute = o.PerMinute;
  TApi routes(store, queue, api);

  httplib::Server server;
  const int threads = o.Threads;
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  // A slow sender can't hold a connection: every read and write has a deadline.
  server.set_read_timeout(5, 0);
  server.set_write_timeout(10, 0);
  server.set_keep_alive_timeout(5);
  server.set_payload_max_length(2 * 1024 * 1024);
  server.set_default_headers({{"Access-Control-Allow-Origin", "*"}});
  server.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) {
      res.set_content(
          R"({"status":"refused","code":"too-large","reason":"The file sent is too large."})",
          "application/json");
    } else if (req.path.starts_with("/api/")) {
      res.set_content(R"({"status":"error","reason":"No such thing here."})", "application/json");
    }
  });
  server.set_exception_handler([](const httplib::Request& req, httplib::Response& res,
                                  std::exception_ptr e) {
    std::string what = "?";
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      what = x.what();
    } catch (...) {
    }
    std::fprintf(stderr, "tarvelle-server: %s %s: %s\n", req.method.c_str(), req.path.c_str(),
                 what.c_str());
    res.status = 503;
    res.set_header("Retry-After", "10");
    res.set_content(R"({"status":"busy","reason":"The server can't answer just now."})",
                    "application/json");
  });
  routes.AddRoutes(server);
  if (!AddPageRoutes(server, web)) {
    std::fprintf(stderr, "tarvelle-server: cannot serve %s\n", web.c_str());
    return 1;
  }
  if (!server.bind_to_port(o.Host, o.Port)) {
    std::fprintf(stderr, "tarvelle-server: cannot listen on %s:%d\n", o.Host.c_str(), o.Port);
    return 1;
  }
  queue.Start();
  // SIGTERM and SIGINT end the server after the requests under way.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  std::thread([&server, stop] {
    int sig = 0;
    sigwait(&stop, &sig);
    server.stop();
  }).detach();
  std::fprintf(stderr,
               "tarvelle-server: listening on %s:%d, %s, the game's levels %s, %d workers%s%s\n",
               o.Host.c_str(), o.Port, store.Postgres() ? "PostgreSQL" : "SQLite",
               work.ShippedLevels.c_str(), work.Workers, web.empty() ? "" : ", the web version from ",
               web.c_str());
  server.listen_after_bind();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TServerOptions o;
  std::string message;
  if (!ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), o, message)) {
    std::fputs(message.c_str(), message.starts_with("usage") ? stdout : stderr);
    return message.starts_with("usage") ? 0 : 2;
  }
  // Signals the server waits for are blocked in every thread; broken pipes are errors.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  signal(SIGPIPE, SIG_IGN);
  std::string where = o.Database;
  if (where.empty()) {
    std::error_code ec;
    fs::create_directories(o.Data, ec);
    where = (fs::path(o.Data) / "tarvelle.sqlite").string();
  }
  try {
    TStore store(where);
    if (o.Command == "migrate") return 0;
    if (o.Command == "hide") {
      if (!store.Hide(o.HideId)) {
        std::fprintf(stderr, "tarvelle-server: no game or pack %s\n", o.HideId.c_str());
        return 1;
      }
      std::printf("hidden: %s\n", o.HideId.c_str());
      return 0;
    }
    return Serve(o, store);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvelle-server: %s\n", e.what());
    return 1;
  }
}
