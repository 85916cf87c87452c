#include "tools/editor/pack_share.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "game/world_scores.h"
#include "launcher/world_server.h"
#include "platform/http_client.h"
#include "platform/paths.h"

namespace {

constexpr int32_t kEnter = 13, kEscape = 27, kBack = 8, kSpace = 32;
constexpr uint32_t kCtrl = 4;  // the shift state's Ctrl bit
constexpr size_t kAuthorLength = 24;

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  std::FILE* f = paths::OpenFile(path, "rb");
  if (!f) return bytes;
  char buffer[16384];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

}  // namespace

void TPackShare::Offer(const std::string& path) {
  offered_ = true;
  path_ = path;
  title_ = paths::Utf8Of(paths::PathOf(path).stem());
  author_.clear();
  result_.clear();
}

bool TPackShare::Key(int32_t key, uint32_t shift) {
  if (!offered_) return false;
  const bool typed = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == kSpace ||
                     key == kBack || key == kEnter || key == kEscape;
  if (!typed || (shift & kCtrl)) {
    // Any other key (F9, Ctrl+S, the arrows...) goes on to the editor: the offer is left.
    offered_ = false;
    return false;
  }
  if (key == kEscape) {
    offered_ = false;
  } else if (key == kEnter) {
    offered_ = false;
    Send();
  } else if (key == kBack) {
    if (!author_.empty()) author_.pop_back();
  } else if (author_.size() < kAuthorLength) {
    if (key >= 'A' && key <= 'Z') author_ += static_cast<char>((shift & 1) ? key : key + 32);
    if (key >= '0' && key <= '9') author_ += static_cast<char>(key);
    if (key == kSpace && !author_.empty()) author_ += ' ';
  }
  return true;
}

std::string TPackShare::Query(const std::string& title, const std::string& author) {
  return "title=" + http::Encode(title) + "&author=" + http::Encode(author);
}

std::string TPackShare::Outcome(const std::string& title, int32_t status, const std::string& body,
                                bool& bad) {
  nlohmann::json answer = nlohmann::json::object();
  try {
    answer = nlohmann::json::parse(body);
  } catch (const nlohmann::json::exception&) {
  }
  if (!answer.is_object()) answer = nlohmann::json::object();
  bad = !(status >= 200 && status < 300);
  if (status == 0) return title + " was not shared: the world table can't be reached";
  if (!bad) {
    std::string id;
    if (answer.contains("id")) id = answer["id"].is_string() ? answer["id"].get<std::string>()
                                                             : answer["id"].dump();
    return title + " sent to the world table (pack " + id +
           "): it is listed once every level is proved winnable";
  }
  const auto it = answer.find("reason");
  const std::string reason = it != answer.end() && it->is_string() ? it->get<std::string>() : "";
  return title + " was not shared: " +
         (reason.empty() ? "the world table answered " + std::to_string(status) : reason);
}

void TPackShare::Send() {
  const std::string bytes = ReadWhole(path_);
  if (bytes.empty()) {
    result_ = path_ + " can't be read: not shared";
    bad_ = true;
    return;
  }
  if (world::Server().empty()) ChooseWorldServer("");
  http::TRequest r;
  r.Method = "POST";
  r.Url = world::Server() + "packs?" + Query(title_, author_);
  r.Body = bytes;
  r.ContentType = "application/octet-stream";
  r.TimeoutSeconds = 60;
  sending_ = true;
  const std::string title = title_;
  http::Send(r, [this, title](const http::TAnswer& a) {
    sending_ = false;
    result_ = Outcome(title, a.Status, a.Body, bad_);
  });
}

std::string TPackShare::Line(bool& bad) {
  http::Poll();
  bad = false;
  if (offered_)
    return "Share " + title_ + " in the world table? Your name as its author: " + author_ +
           "_   (Enter sends, Esc leaves)";
  if (sending_) return "sending " + title_ + " to the world table...";
  bad = bad_;
  return result_;
}
