#pragma once
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

// Submissions per address per minute. The addresses live only in memory, for a minute.
class TRateLimit {
 public:
  explicit TRateLimit(int perMinute) : perMinute_(perMinute) {}
  // 0 when the address may go on (and counts it), else the seconds until it may.
  int64_t Take(const std::string& address,
               std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());

 private:
  int perMinute_;
  std::mutex mutex_;
  std::unordered_map<std::string, std::deque<std::chrono::steady_clock::time_point>> seen_;
  std::chrono::steady_clock::time_point swept_{};
};
