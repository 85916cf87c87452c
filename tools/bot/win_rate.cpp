#include "tools/bot/win_rate.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// One ended try as a child sends it.
struct TTryRecord {
  int32_t Index = 0;
  int32_t Won = 0, Loss = 0, TimeLeft = 0, Energy = 0, Score = 0, Hops = 0;
  int64_t Frames = 0;
};

TTryRecord ToRecord(int32_t index, const THumanTry& t) {
  return {index,  t.Won ? 1 : 0, static_cast<int32_t>(t.Loss), t.TimeLeft, t.Energy, t.Score,
          t.Hops, t.Frames};
}

THumanTry FromRecord(const TTryRecord& r) {
  THumanTry t;
  t.Won = r.Won != 0;
  t.Loss = r.Loss >= 0 && r.Loss < LossKinds ? static_cast<TLoss>(r.Loss) : TLoss::None;
  t.TimeLeft = r.TimeLeft;
  t.Energy = r.Energy;
  t.Score = r.Score;
  t.Hops = r.Hops;
  t.Frames = r.Frames;
  return t;
}

THumanTry PlayTry(const TBotOptions& options, const THumanProfile& profile, int32_t i) {
  TBotOptions o = options;
  o.Seed = TrySeed(options.Seed, i);
  return PlayLikeHuman(o, profile);
}

int32_t Median(std::vector<int32_t> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

TWinRate Summarise(const std::map<int32_t, THumanTry>& done, int32_t crashed, bool cancelled) {
  TWinRate w;
  w.Crashed = crashed;
  w.Cancelled = cancelled;
  std::vector<int32_t> timeLeft, energy;
  for (const auto& [index, t] : done) {
    w.Tries.push_back(t);
    ++w.Played;
    if (t.Won) {
      ++w.Won;
      timeLeft.push_back(t.TimeLeft);
      energy.push_back(t.Energy);
    } else {
      ++w.Losses[static_cast<size_t>(t.Loss)];
    }
  }
  w.MedianTimeLeft = Median(timeLeft);
  w.MedianEnergy = Median(energy);
  return w;
}

#ifndef _WIN32

// Writes all of it; false when the reader is gone.
bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

struct TChild {
  pid_t Pid = -1;
  int Fd = -1;
  std::string Buffer;         // bytes of a record not yet whole
  std::vector<int32_t> Owed;  // the tries it was given and has not reported
};

#endif

}  // namespace

TLoss TWinRate::CommonestLoss() const {
  TLoss best = TLoss::None;
  int32_t most = 0;
  for (int32_t k = 1; k < LossKinds; ++k)
    if (Losses[static_cast<size_t>(k)] > most) {
      most = Losses[static_cast<size_t>(k)];
      best = static_cast<TLoss>(k);
    }
  return best;
}

uint32_t TrySeed(uint32_t seed, int32_t i) {
  // A mix of the two, so that neighbouring seeds of two measurements don't share tries.
  uint32_t h = seed * 0x9E3779B1u + static_cast<uint32_t>(i) * 0x85EBCA77u + 0x165667B1u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h == 0 ? 1 : h;
}

TWinRate MeasureWinRate(const TBotOptions& options, const THumanProfile& profile, int32_t tries,
                        int32_t jobs, std::function<bool(int32_t done, int32_t total)> progress) {
  tries = std::max(0, tries);
  if (jobs < 1) jobs = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
  jobs = std::max(1, std::min(jobs, tries));
  std::map<int32_t, THumanTry> done;
#ifdef _WIN32
  // No fork: the tries are played here, one after the other (the game's state is this
  // process's own, so the caller must run no game session of its own meanwhile).
  for (int32_t i = 0; i < tries; ++i) {
    done[i] = PlayTry(options, profile, i);
    if (progress && !progress(i + 1, tries)) return Summarise(done, 0, true);
  }
  return Summarise(done, 0, false);
#else
  if (tries == 0) return Summarise(done, 0, false);
  std::vector<TChild> children(static_cast<size_t>(jobs));
  const pid_t parent = getpid();
  auto stopAll = [&]() {
    for (TChild& c : children)
      if (c.Pid > 0) kill(c.Pid, SIGKILL);
    for (TChild& c : children) {
      if (c.Pid > 0) {
        while (waitpid(c.Pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        c.Pid = -1;
      }
      if (c.Fd >= 0) close(c.Fd);
      c.Fd = -1;
    }
  };
  for (int32_t k = 0; k < jobs; ++k) {
    TChild& c = children[static_cast<size_t>(k)];
    for (int32_t i = k; i < tries; i += jobs) c.Owed.push_back(i);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
      stopAll();
      throw std::runtime_error("cannot make a pipe for the tries");
    }
    const pid_t pid = fork();
    if (pid < 0) {
      close(fds[0]);
      close(fds[1]);
      stopAll();
      throw std::runtime_error("cannot start a process for the tries");
    }
    if (pid == 0) {
      // The child: plays its share and reports each try as it ends. It dies with the parent.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(1);
      signal(SIGPIPE, SIG_IGN);
      close(fds[0]);
      for (const TChild& other : children)
        if (other.Fd >= 0) close(other.Fd);
      int status = 0;
      try {
        for (int32_t i : c.Owed) {
          const TTryRecord r = ToRecord(i, PlayTry(options, profile, i));
          if (!WriteAll(fds[1], &r, sizeof r)) {
            status = 1;
            break;
          }
        }
      } catch (...) {
        status = 3;
      }
      close(fds[1]);
      _exit(status);
    }
    close(fds[1]);
    c.Pid = pid;
    c.Fd = fds[0];
  }
  int32_t crashed = 0;
  bool cancelled = false;
  std::vector<pollfd> polls;
  while (true) {
    polls.clear();
    for (const TChild& c : children)
      if (c.Fd >= 0) polls.push_back({c.Fd, POLLIN, 0});
    if (polls.empty()) break;
    if (poll(polls.data(), polls.size(), 200) < 0 && errno != EINTR) break;
    for (TChild& c : children) {
      if (c.Fd < 0) continue;
      const auto it =
          std::find_if(polls.begin(), polls.end(), [&](auto& p) { return p.fd == c.Fd; });
      if (it == polls.end() || it->revents == 0) continue;
      char bytes[4096];
      const ssize_t n = read(c.Fd, bytes, sizeof bytes);
      if (n < 0 && errno == EINTR) continue;
      if (n > 0) {
        c.Buffer.append(bytes, static_cast<size_t>(n));
        while (c.Buffer.size() >= sizeof(TTryRecord)) {
          TTryRecord r;
          std::copy_n(c.Buffer.data(), sizeof r, reinterpret_cast<char*>(&r));
          c.Buffer.erase(0, sizeof r);
          const auto owed = std::find(c.Owed.begin(), c.Owed.end(), r.Index);
          if (owed == c.Owed.end()) continue;  // not one of its tries: ignored
          c.Owed.erase(owed);
          done[r.Index] = FromRecord(r);
        }
        continue;
      }
      // The end of its reports: whatever it still owes was lost with it.
      close(c.Fd);
      c.Fd = -1;
      int status = 0;
      while (waitpid(c.Pid, &status, 0) < 0 && errno == EINTR) {
      }
      c.Pid = -1;
      crashed += static_cast<int32_t>(c.Owed.size());
      c.Owed.clear();
    }
    const int32_t finished = static_cast<int32_t>(done.size()) + crashed;
    if (progress && !progress(finished, tries)) {
      cancelled = true;
      break;
    }
  }
  stopAll();
  return Summarise(done, crashed, cancelled);
#endif
}
