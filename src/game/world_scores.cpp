#include "game/world_scores.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <vector>

#include "game/cp1252.h"
#include "game/replay.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace world {
namespace {

// A score waiting for the server.
struct TQueued {
  std::string File;   // its replay, in the queue's folder
  std::string Table;  // the high-score table it entered
  int32_t Points = 0;
  std::string Name;  // Windows-1252
  std::string Id;    // the server's id once it answered "pending"
};

struct TRank {
  std::string Table;
  int32_t Points = 0;
  std::string Name;
  int32_t Rank = 0;
};

constexpr int kBusyTriesPerRun = 5;
constexpr int kPendingAsksPerRun = 40;
constexpr int64_t kFirstAskMs = 2000, kLongestAskMs = 30000;

struct TState {
  bool loaded = false;
  std::vector<TQueued> queue;
  std::vector<TRank> ranks;
  bool sending = false;
  bool offline = false;  // no answer in this run: the rest waits for the next start
  int64_t nextTry = 0;
  int busyTries = 0, asks = 0;
  int64_t askDelay = kFirstAskMs;
  std::string server;
  TSender sender;
} state;

int64_t NowMs() {
  // The system's steady clock, never the game's: a game recorded for a replay must not see
  // the readings of the queue.
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string ReadWhole(const std::string& path, size_t limit) {
  std::FILE* f = paths::OpenFile(path, "rb");
  if (!f) return {};
  std::string bytes;
  char buffer[16384];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && bytes.size() <= limit)
    bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(ReadWhole(path, 1 << 20));
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
      fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    rows.push_back(std::move(fields));
  }
  return rows;
}

// Names are kept percent-encoded: a line never holds a tab or a line break of one.
std::string Decode(const std::string& text) {
  auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && digit(text[i + 1]) >= 0 &&
        digit(text[i + 2]) >= 0) {
      out += static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

int32_t Number(const std::string& text) {
  try {
    return static_cast<int32_t>(std::stol(text));
  } catch (const std::exception&) {
    return 0;
  }
}

// A file name of the queue's own: no folder, no way out of it.
bool SafeFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." &&
         name != "..";
}

void Load() {
  if (state.loaded) return;
  state.loaded = true;
  for (const auto& f : ReadTable(WorldFolder() + "queue.txt")) {
    if (f.size() < 4 || !SafeFileName(f[0])) continue;
    state.queue.push_back({f[0], f[1], Number(f[2]), Decode(f[3]), f.size() > 4 ? f[4] : ""});
  }
  for (const auto& f : ReadTable(WorldFolder() + "ranks.txt")) {
    if (f.size() < 4 || Number(f[3]) <= 0) continue;
    state.ranks.push_back({f[0], Number(f[1]), Decode(f[2]), Number(f[3])});
  }
}

void SaveQueue() {
  std::string text;
  for (const TQueued& q : state.queue)
    text += q.File + '\t' + q.Table + '\t' + std::to_string(q.Points) + '\t' + http::Encode(q.Name) +
            '\t' + q.Id + '\n';
  paths::MakeFolders(WorldFolder());
  files::WriteAtomically(WorldFolder() + "queue.txt", text);
}

void SaveRanks() {
  std::string text;
  for (const TRank& r : state.ranks)
    text += r.Table + '\t' + std::to_string(r.Points) + '\t' + http::Encode(r.Name) + '\t' +
            std::to_string(r.Rank) + '\n';
  paths::MakeFolders(WorldFolder());
  files::WriteAtomically(WorldFolder() + "ranks.txt", text);
}

std::string QueueFolder() {
  return WorldFolder() + "queue/";
}

// The first queued score leaves the queue, its replay with it.
void DropFirst() {
  std::error_code ec;
  std::filesystem::remove(paths::PathOf(QueueFolder() + state.queue.front().File), ec);
  state.queue.erase(state.queue.begin());
  SaveQueue();
  state.asks = 0;
  state.askDelay = kFirstAskMs;
}

void KeepRank(const TQueued& q, int32_t rank) {
  for (TRank& r : state.ranks) {
    if (r.Table == q.Table && r.Points == q.Points && r.Name == q.Name) {
      r.Rank = rank;
      SaveRanks();
      return;
    }
  }
  state.ranks.push_back({q.Table, q.Points, q.Name, rank});
  SaveRanks();
}

// A text field of an answer, "" when it is missing or not a text.
std::string Field(const nlohmann::json& body, const char* name) {
  const auto it = body.find(name);
  return it != body.end() && it->is_string() ? it->get<std::string>() : "";
}

std::string Describe(const TQueued& q) {
  return "the score " + std::to_string(q.Points) + " of \"" + Utf8FromCp1252(q.Name) + "\"";
}

void Answered(const http::TAnswer& answer) {
  state.sending = false;
  if (state.queue.empty()) return;
  TQueued& q = state.queue.front();
  const int64_t now = NowMs();
  if (answer.Status == 0) {
    std::fprintf(stderr, "Tarvelle: the world table can't be reached (%s); %s is kept for later\n",
                 answer.Error.c_str(), Describe(q).c_str());
    state.offline = true;
    return;
  }
  if (answer.Status == 429 || answer.Status >= 500) {
    ++state.busyTries;
    state.nextTry = now + 1000 * std::max<int64_t>(answer.RetryAfter, 5);
    return;
  }
  nlohmann::json body;
  try {
    body = nlohmann::json::parse(answer.Body);
  } catch (const nlohmann::json::exception&) {
    body = nlohmann::json::object();
  }
  if (!body.is_object()) body = nlohmann::json::object();
  const std::string status = Field(body, "status");
  if (answer.Status >= 400 && status == "refused") {
    // A refusal stands: the same replay would be refused again.
    std::string reason = Field(body, "reason");
    if (reason.empty()) reason = "HTTP status " + std::to_string(answer.Status);
    const std::string code = Field(body, "code");
    std::fprintf(stderr, "Tarvelle: the world table refused %s (%s): %s\n", Describe(q).c_str(),
                 code.empty() ? "refused" : code.c_str(), reason.c_str());
    DropFirst();
    return;
  }
  if (answer.Status == 404 && !q.Id.empty()) {
    // The server no longer knows the game it was sent: it is sent again.
    q.Id.clear();
    SaveQueue();
    ++state.busyTries;
    return;
  }
  if (status == "accepted" && body.contains("rank") && body["rank"].is_number_integer() &&
      body["rank"].get<int64_t>() > 0 && body["rank"].get<int64_t>() <= INT32_MAX) {
    KeepRank(q, body["rank"].get<int32_t>());
    DropFirst();
    return;
  }
  if (status == "pending" && !Field(body, "id").empty()) {
    const std::string id = Field(body, "id");
    if (id != q.Id) {
      q.Id = id;
      SaveQueue();
    }
    ++state.asks;
    state.nextTry = now + state.askDelay;
    state.askDelay = std::min(state.askDelay * 2, kLongestAskMs);
    return;
  }
  // An answer the game does not understand (another site at the address, a server of another
  // version): tried again at the next start.
  std::fprintf(stderr,
               "Tarvelle: the world table's answer (HTTP status %d) is not understood; %s is kept "
               "for later\n",
               answer.Status, Describe(q).c_str());
  state.offline = true;
}

}  // namespace

void SetServer(const std::string& apiRoot) {
  state.server = apiRoot;
  if (!state.server.empty() && state.server.back() != '/') state.server += '/';
}

const std::string& Server() {
  return state.server;
}

std::string ApiRootOf(const std::string& siteAddress) {
  const size_t scheme = siteAddress.find("://");
  const size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
  const size_t path = siteAddress.find('/', hostStart);
  return siteAddress.substr(0, path) + "/api/v1/";
}

std::string PagesAddress() {
  const std::string api = "api/v1/";
  const std::string& s = state.server;
  if (s.size() >= api.size() && s.compare(s.size() - api.size(), api.size(), api) == 0)
    return s.substr(0, s.size() - api.size());
  return s;
}

void SetSender(TSender sender) {
  state.sender = std::move(sender);
}

std::string WorldFolder() {
  return paths::DataHome() + "Morvane/Tarvelle/world/";
}

bool QueueScore(const std::string& replayFile, const std::string& table, int32_t points,
                const std::string& name) {
  Load();
  const std::string bytes = ReadWhole(replayFile, 1 << 20);
  try {
    const TReplay r = DecodeReplay(bytes, replayFile);
    if (r.Final.Score != points) {
      std::fprintf(stderr, "Tarvelle: %s is not the replay of the score %d\n", replayFile.c_str(),
                   points);
      return false;
    }
  } catch (const EReplayError& e) {
    std::fprintf(stderr, "Tarvelle: the score is not shared: %s\n", e.what());
    return false;
  }
  std::string base = paths::Utf8Of(paths::PathOf(replayFile).filename());
  if (!SafeFileName(base)) base = "score.tvr";
  std::string file = base;
  for (int n = 2; std::filesystem::exists(paths::PathOf(QueueFolder() + file)); ++n)
    file = std::to_string(n) + "-" + base;
  if (!paths::MakeFolders(QueueFolder()) || !files::WriteAtomically(QueueFolder() + file, bytes))
    return false;
  state.queue.push_back({file, table, points, name, ""});
  SaveQueue();
  // A new score is a new chance: the network may be back.
  state.offline = false;
  state.busyTries = 0;
  state.nextTry = 0;
  return true;
}

void PumpWorldScores() {
  Load();
  if (state.sending || state.queue.empty() || state.offline || state.server.empty()) return;
  if (state.busyTries >= kBusyTriesPerRun || state.asks >= kPendingAsksPerRun) return;
  if (NowMs() < state.nextTry) return;
  const TQueued& q = state.queue.front();
  http::TRequest request;
  if (q.Id.empty()) {
    const std::string bytes = ReadWhole(QueueFolder() + q.File, 1 << 20);
    if (bytes.empty()) {
      std::fprintf(stderr, "Tarvelle: the queued replay %s is gone; %s is not shared\n",
                   q.File.c_str(), Describe(q).c_str());
      DropFirst();
      return;
    }
    request.Method = "POST";
    request.Url = state.server + "scores?name=" + http::Encode(Utf8FromCp1252(q.Name));
    request.Body = bytes;
    request.ContentType = "application/octet-stream";
  } else {
    request.Url = state.server + "scores/" + http::Encode(q.Id);
  }
  state.sending = true;
  const TSender send = state.sender ? state.sender : TSender(http::Send);
  send(std::move(request), Answered);
}

size_t QueuedScores() {
  Load();
  return state.queue.size();
}

bool Sending() {
  return state.sending;
}

bool WorkLeft() {
  Load();
  return state.sending ||
         (!state.queue.empty() && !state.offline && !state.server.empty() &&
          state.busyTries < kBusyTriesPerRun && state.asks < kPendingAsksPerRun);
}

int32_t WorldRank(const std::string& table, int32_t points, const std::string& name) {
  Load();
  for (const TRank& r : state.ranks)
    if (r.Table == table && r.Points == points && r.Name == name) return r.Rank;
  return 0;
}

void ForgetWorldScores() {
  TState fresh;
  fresh.server = state.server;
  fresh.sender = state.sender;
  state = std::move(fresh);
}

}  // namespace world
