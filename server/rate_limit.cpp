#include "server/rate_limit.h"

int64_t TRateLimit::Take(const std::string& address, std::chrono::steady_clock::time_point now) {
  constexpr auto Minute = std::chrono::minutes(1);
  std::lock_guard lock(mutex_);
  // Now and then forget the addresses not seen for a minute.
  if (now - swept_ > Minute) {
    for (auto it = seen_.begin(); it != seen_.end();)
      it = !it->second.empty() && now - it->second.back() < Minute ? std::next(it) : seen_.erase(it);
    swept_ = now;
  }
  auto& times = seen_[address];
  while (!times.empty() && now - times.front() >= Minute) times.pop_front();
  if (static_cast<int>(times.size()) >= perMinute_) {
    const auto wait = std::chrono::ceil<std::chrono::seconds>(times.front() + Minute - now);
    return std::max<int64_t>(1, wait.count());
  }
  times.push_back(now);
  return 0;
}
