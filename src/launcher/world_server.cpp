#include "launcher/world_server.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "core/settings.h"
#include "game/level_pack.h"
#include "game/world_scores.h"
#include "launcher/links.h"
#include "platform/atomic_file.h"
#include "platform/http_client.h"
#include "platform/paths.h"

namespace {

// Sends one request and waits for its answer (a command of its own: nothing else runs).
http::TAnswer Fetch(const std::string& url) {
  http::TAnswer got;
  http::TRequest request;
  request.Url = url;
  request.TimeoutSeconds = 60;
  http::Send(request, [&got](const http::TAnswer& a) { got = a; });
  http::Wait(70 * 1000);
  return got;
}

bool SafeId(const std::string& id) {
  if (id.empty() || id.size() > 64) return false;
  for (const char c : id)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
  return true;
}

// A file name made of a pack's title: letters, digits, '-' and '_' kept, the rest '-'.
std::string FileNameOf(const std::string& title, const std::string& id) {
  std::string name;
  for (const char c : title) {
    const auto u = static_cast<unsigned char>(c);
    name += std::isalnum(u) || c == '-' || c == '_' ? c : '-';
    if (name.size() >= 40) break;
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  while (!name.empty() && name.front() == '-') name.erase(name.begin());
  return name.empty() ? "pack-" + id : name;
}

std::string Failure(const http::TAnswer& a) {
  if (a.Status == 0) return "the world table can't be reached (" + a.Error + ")";
  try {
    const auto body = nlohmann::json::parse(a.Body);
    if (body.is_object() && body.contains("reason") && body["reason"].is_string())
      return body["reason"].get<std::string>();
  } catch (const nlohmann::json::exception&) {
  }
  return "the world table answered with status " + std::to_string(a.Status);
}

}  // namespace

void ChooseWorldServer(const std::string& fromCommandLine) {
  std::string server = fromCommandLine;
  if (server.empty()) server = WorldServerSetting();
  if (server.empty()) server = world::ApiRootOf(kWebSiteRoot);
  world::SetServer(server);
}

int GetPack(const std::string& id) {
  if (!SafeId(id)) {
    std::fprintf(stderr, "tarvelle: \"%s\" is not a pack's id (letters, digits, - and _)\n",
                 id.c_str());
    return 2;
  }
  const std::string root = world::Server() + "packs/" + id;
  std::string title;
  const http::TAnswer info = Fetch(root);
  if (info.Status != 200) {
    std::fprintf(stderr, "tarvelle: pack %s: %s\n", id.c_str(), Failure(info).c_str());
    return 1;
  }
  try {
    const auto body = nlohmann::json::parse(info.Body);
    if (body.is_object() && body.contains("title") && body["title"].is_string())
      title = body["title"].get<std::string>();
  } catch (const nlohmann::json::exception&) {
  }
  const http::TAnswer file = Fetch(root + "/file");
  if (file.Status != 200) {
    std::fprintf(stderr, "tarvelle: pack %s: %s\n", id.c_str(), Failure(file).c_str());
    return 1;
  }
  const std::string folder = LevelPackFolder();
  if (!paths::MakeFolders(folder)) {
    std::fprintf(stderr, "tarvelle: the packs' folder %s can't be made\n", folder.c_str());
    return 1;
  }
  // Checked where it lands, under a name no pack has, and kept only when it plays.
  const std::string trial = folder + ".download-" + id + ".part";
  std::string error;
  if (!files::WriteAtomically(trial, file.Body, &error)) {
    std::fprintf(stderr, "tarvelle: %s\n", error.c_str());
    return 1;
  }
  std::error_code ec;
  const std::string problem = CheckLevelPack(trial);
  if (!problem.empty()) {
    std::filesystem::remove(paths::PathOf(trial), ec);
    std::fprintf(stderr, "tarvelle: pack %s is not kept: %s\n", id.c_str(), problem.c_str());
    return 1;
  }
  const std::string base = FileNameOf(title, id);
  std::string name = base;
  for (int n = 2; std::filesystem::exists(paths::PathOf(folder + name + ".dat"), ec); ++n)
    name = base + "-" + std::to_string(n);
  std::filesystem::rename(paths::PathOf(trial), paths::PathOf(folder + name + ".dat"), ec);
  if (ec) {
    std::filesystem::remove(paths::PathOf(trial), ec);
    std::fprintf(stderr, "tarvelle: the pack can't be kept as %s.dat\n", (folder + name).c_str());
    return 1;
  }
  std::printf("Pack %s is kept as %s%s.dat: play it with  tarvelle --levels %s\n", id.c_str(),
              folder.c_str(), name.c_str(), name.c_str());
  return 0;
}
