#include "server/http_api.h"

#include <httplib.h>

#include <chrono>
#include <ctime>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "game/replay.h"
#include "server/pack_prover.h"

using nlohmann::json;

namespace {

constexpr size_t MaxPackBytes = 1024 * 1024;
constexpr int64_t LevelsPerPack = 15;

std::string Dump(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

void Answer(httplib::Response& res, int status, const json& j) {
  res.status = status;
  res.set_content(Dump(j), "application/json");
}

void Refused(httplib::Response& res, const TRefusal& r) {
  Answer(res, r.Status, {{"status", "refused"}, {"code", r.Code}, {"reason", r.Reason}});
}

void Busy(httplib::Response& res, int status, int64_t retryAfter, const std::string& reason) {
  res.set_header("Retry-After", std::to_string(retryAfter));
  Answer(res, status, {{"status", "busy"}, {"reason", reason}});
}

void BadRequest(httplib::Response& res, const std::string& reason) {
  Answer(res, 400, {{"status", "error"}, {"reason", reason}});
}

std::string IsoDate(int64_t ms) {
  const std::time_t t = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

json SubmissionJson(const TSubmission& s) {
  if (s.State == "accepted")
    return {{"status", "accepted"}, {"id", s.Id},     {"rank", s.Rank},
            {"score", s.Score},     {"levels", s.Levels}, {"difficulty", s.Difficulty},
            {"level", s.Level}};
  if (s.State == "refused")
    return {{"status", "refused"}, {"id", s.Id}, {"code", s.Code}, {"reason", s.Reason}};
  return {{"status", "pending"}, {"id", s.Id}};
}

int SubmissionStatus(const TSubmission& s) {
  if (s.State == "accepted") return 200;
  if (s.State == "refused") return Refuse(s.Code).Status;
  return 202;
}

// Free text of a pack (its title, its author): 1 to max characters of UTF-8, no control ones.
bool GoodText(const std::string& text, size_t max) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<uint8_t>(text[i]);
    const size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80) return false;
    if (b < 0x20 || b == 0x7F || (n == 2 && b == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0))
      return false;
    i += n;
    ++chars;
  }
  return chars >= 1 && chars <= max;
}

json PackJson(const TPack& p) {
  json j = {{"id", p.Id},          {"title", p.Title},   {"author", p.Author},
            {"levels", p.Levels},  {"status", p.State == "proving" ? "proving" : p.State},
            {"proved", p.Won},     {"total", p.Total},   {"when", IsoDate(p.Created)}};
  if (p.State == "refused") j["reason"] = p.Reason;
  if (p.State == "listed") {
    j["file"] = "/api/v1/packs/" + p.Id + "/file";
    j["play"] = "/play/?levels=/api/v1/packs/" + p.Id + "/file";
  }
  if (!p.Details.empty()) j["proofs"] = p.Details;
  return j;
}

std::string Param(const httplib::Request& req, const char* name) {
  return req.has_param(name) ? req.get_param_value(name) : "";
}

}  // namespace

std::string NewId() {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(random()));
  return text;
}

TApi::TApi(TStore& store, TWorkQueue& queue, TApiOptions options)
    : store_(store), queue_(queue), options_(std::move(options)), limit_(options_.PerMinute) {}

std::string TApi::TableBody(const std::string& levels, int32_t difficulty, int32_t limit,
                            int64_t around) {
  const std::string key = levels + "/" + std::to_string(difficulty) + "/" + std::to_string(limit) +
                          "/" + std::to_string(around);
  const int64_t now = NowMs();
  {
    std::lock_guard lock(cacheMutex_);
    const auto it = cache_.find(key);
    if (it != cache_.end() && it->second.Until > now) return it->second.Body;
  }
  const TTable t = store_.Table(levels, difficulty, limit, around);
  json rows = json::array();
  for (const TTableRow& r : t.Rows)
    rows.push_back({{"rank", r.Rank},
                    {"id", r.Id},
                    {"name", r.Name},
                    {"score", r.Score},
                    {"level", r.Level},
                    {"start", r.Start},
                    {"length_ms", r.LengthMs},
                    {"when", IsoDate(r.When)}});
  const std::string body = Dump(
      {{"levels", levels}, {"difficulty", difficulty}, {"total", t.Total}, {"rows", rows}});
  std::lock_guard lock(cacheMutex_);
  if (cache_.size() > 10000) cache_.clear();  // questions of every kind: start again
  cache_[key] = {now + options_.TableCacheMs, body};
  return body;
}

void TApi::AddRoutes(httplib::Server& server) {
  server.Options(R"(/api/.*)", [](const httplib::Request&, httplib::Response& res) {
    res.status = 204;
    res.set_header("Access-Control-Allow-Methods", "GET, POST, OPTIONS");
    res.set_header("Access-Control-Allow-Headers", "Content-Type");
    res.set_header("Access-Control-Max-Age", "86400");
  });

  server.Post("/api/v1/scores", [this](const httplib::Request& req, httplib::Response& res) {
    if (const int64_t wait = limit_.Take(req.remote_addr); wait > 0)
      return Busy(res, 429, wait, "Too many games sent from here: try again in a minute.");
    const auto read = ReadSubmission(Param(req, "name"), req.body);
    if (const auto* r = std::get_if<TRefusal>(&read)) return Refused(res, *r);
    const TIntake& in = std::get<TIntake>(read);
    std::string levelFile;
    if (!queue_.KnowsRules(in.Rules)) return Refused(res, Refuse("rules"));
    if (!queue_.LevelFile(in.Levels, levelFile)) return Refused(res, Refuse("unknown-levels"));
    if (store_.Waiting() >= options_.MaxWaiting)
      return Busy(res, 503, 30, "The server has many games to check: try again shortly.");
    const std::string id = NewId();
    if (!store_.Submit(id, in, NowMs())) return Refused(res, Refuse("duplicate"));
    queue_.Wake();
    // Most games are verified in well under a second: wait a little for the verdict.
    const auto until = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(options_.AnswerWithinMs);
    std::optional<TSubmission> s;
    for (;;) {
      s = store_.Submission(id);
      if (!s || s->State == "accepted" || s->State == "refused" ||
          std::chrono::steady_clock::now() >= until)
        break;
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
    if (s && s->State == "accepted") {
      std::lock_guard lock(cacheMutex_);
      cache_.clear();
    }
    if (!s) return Answer(res, 202, {{"status", "pending"}, {"id", id}});
    Answer(res, SubmissionStatus(*s), SubmissionJson(*s));
  });

  server.Get(R"(/api/v1/scores/([0-9a-f]{1,32}))",
             [this](const httplib::Request& req, httplib::Response& res) {
               const auto s = store_.Submission(req.matches[1]);
               if (!s) return Answer(res, 404, {{"status", "error"}, {"reason", "No such game."}});
               Answer(res, SubmissionStatus(*s), SubmissionJson(*s));
             });

  server.Get("/api/v1/scores", [this](const httplib::Request& req, httplib::Response& res) {
    std::string levels = options_.ShippedLevels;
    if (req.has_param("levels")) {
      const auto l = LevelsParam(req.get_param_value("levels"));
      if (!l) return BadRequest(res, "levels: the level set's checksum, 8 hex digits");
      levels = *l;
    }
    auto number = [&](const char* name, int64_t lo, int64_t hi, int64_t fallback) {
      return req.has_param(name) ? NumberParam(req.get_param_value(name), lo, hi)
                                 : std::optional<int64_t>(fallback);
    };
    const auto difficulty = number("difficulty", 1, 3, 2);
    const auto limit = number("limit", 1, 100, 20);
    const auto around = number("around", 1, INT32_MAX, 0);
    if (!difficulty) return BadRequest(res, "difficulty: 1, 2 or 3");
    if (!limit) return BadRequest(res, "limit: 1 to 100 rows");
    if (!around) return BadRequest(res, "around: a rank, from 1");
    res.set_content(TableBody(levels, static_cast<int32_t>(*difficulty),
                              static_cast<int32_t>(*limit), *around),
                    "application/json");
  });

  server.Get(R"(/api/v1/replays/([0-9a-f]{1,32}))",
             [this](const httplib::Request& req, httplib::Response& res) {
               const auto bytes = store_.Replay(req.matches[1]);
               if (!bytes) return Answer(res, 404, {{"status", "error"}, {"reason", "No such game."}});
               res.set_header("Content-Disposition",
                              "attachment; filename=\"" + std::string(req.matches[1]) + ".tvr\"");
               res.set_content(*bytes, "application/octet-stream");
             });

  server.Post("/api/v1/packs", [this](const httplib::Request& req, httplib::Response& res) {
    if (const int64_t wait = limit_.Take(req.remote_addr); wait > 0)
      return Busy(res, 429, wait, "Too many sent from here: try again in a minute.");
    const std::string title = Param(req, "title"), author = Param(req, "author");
    if (!GoodText(title, 60))
      return Refused(res, {"bad-name", "The title must be 1 to 60 characters, with no control "
                                       "characters."});
    if (!GoodText(author, 40))
      return Refused(res, {"bad-name", "The author must be 1 to 40 characters, with no control "
                                       "characters."});
    if (req.body.size() > MaxPackBytes)
      return Refused(res, {"too-large", "The level file is larger than 1 MiB.", 413});
    if (const std::string problem = PackProblem(req.body); !problem.empty())
      return Refused(res, {"damaged", "The level file can't be played: " + problem + "."});
    if (store_.Waiting() >= options_.MaxWaiting)
      return Busy(res, 503, 30, "The server has much to check: try again shortly.");
    TPack p;
    p.Id = NewId();
    p.Title = title;
    p.Author = author;
    p.Levels = LevelsText(ReplayChecksum(req.body));
    if (!store_.AddPack(p, req.body, LevelsPerPack, NowMs()))
      return Refused(res, {"duplicate", "These levels were sent before.", 409});
    queue_.Wake();
    Answer(res, 202, {{"id", p.Id}, {"status", "proving"}, {"levels", p.Levels}});
  });

  server.Get("/api/v1/packs", [this](const httplib::Request&, httplib::Response& res) {
    json list = json::array();
    for (const TPack& p : store_.Packs()) list.push_back(PackJson(p));
    Answer(res, 200, {{"packs", list}});
  });

  server.Get(R"(/api/v1/packs/([0-9a-f]{1,32}))",
             [this](const httplib::Request& req, httplib::Response& res) {
               const auto p = store_.Pack(req.matches[1]);
               if (!p) return Answer(res, 404, {{"status", "error"}, {"reason", "No such pack."}});
               Answer(res, 200, PackJson(*p));
             });

  server.Get(R"(/api/v1/packs/([0-9a-f]{1,32})/file)",
             [this](const httplib::Request& req, httplib::Response& res) {
               const auto f = store_.PackFile(req.matches[1]);
               if (!f) return Answer(res, 404, {{"status", "error"}, {"reason", "No such pack."}});
               res.set_header("Content-Disposition",
                              "attachment; filename=\"" + std::string(req.matches[1]) + ".dat\"");
               res.set_content(*f, "application/octet-stream");
             });
}
