#include "platform/limited_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

void SetLimit(int resource, rlim_t soft, rlim_t hard) {
  const rlimit l{soft, hard};
  ::setrlimit(resource, &l);
}

}  // namespace

TRunResult RunWithLimits(const std::vector<std::string>& args, std::string_view input,
                         const TRunLimits& limits) {
  TRunResult r;
  if (args.empty()) {
    r.Error = "no program";
    return r;
  }
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0) {
    r.Error = std::strerror(errno);
    return r;
  }
  if (::pipe2(out, O_CLOEXEC) != 0) {
    r.Error = std::strerror(errno);
    ::close(in[0]);
    ::close(in[1]);
    return r;
  }
  if (::pipe2(err, O_CLOEXEC) != 0) {
    r.Error = std::strerror(errno);
    for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
    return r;
  }
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    // Only calls that are safe between fork and exec.
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    if (limits.CpuSeconds > 0) {
      const auto s = static_cast<rlim_t>(limits.CpuSeconds);
      SetLimit(RLIMIT_CPU, s, s + 1);  // SIGXCPU at the limit, SIGKILL a second later
    }
    // A build under AddressSanitizer reserves far more address space than it uses: no limit.
    if (limits.MemoryBytes > 0 && !kAddressSanitizer) {
      const auto b = static_cast<rlim_t>(limits.MemoryBytes);
      SetLimit(RLIMIT_AS, b, b);
    }
    SetLimit(RLIMIT_CORE, 0, 0);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  if (pid < 0) {
    r.Error = std::strerror(errno);
    for (int fd : {in[1], out[0], err[0]}) ::close(fd);
    return r;
  }
  r.Started = true;
  int toChild = in[1], fromChild = out[0], errors = err[0];
  for (int fd : {toChild, fromChild, errors})
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  // A child that stops reading must not end this program by its pipe.
  struct sigaction ignore = {};
  struct sigaction previous = {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &ignore, &previous);
  size_t written = 0;
  if (input.empty()) CloseFd(toChild);
  auto elapsedMs = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
  };
  while (fromChild >= 0 || errors >= 0) {
    pollfd fds[3];
    nfds_t n = 0;
    if (toChild >= 0) fds[n++] = {toChild, POLLOUT, 0};
    if (fromChild >= 0) fds[n++] = {fromChild, POLLIN, 0};
    if (errors >= 0) fds[n++] = {errors, POLLIN, 0};
    int wait = 100;
    if (limits.WallMs > 0) {
      const int64_t left = limits.WallMs - elapsedMs();
      if (left <= 0) {
        r.OverWall = true;
        ::kill(pid, SIGKILL);
        break;
      }
      wait = static_cast<int>(std::min<int64_t>(left, 100));
    }
    if (::poll(fds, n, wait) < 0 && errno != EINTR) break;
    for (nfds_t i = 0; i < n; ++i) {
      if (!fds[i].revents) continue;
      if (fds[i].fd == toChild) {
        const ssize_t w = ::write(toChild, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<size_t>(w);
        if ((w < 0 && errno != EAGAIN && errno != EINTR) || written == input.size())
          CloseFd(toChild);
        continue;
      }
      char buffer[8192];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        std::string& into = fds[i].fd == fromChild ? r.Output : r.ErrorOutput;
        const size_t room = fds[i].fd == fromChild ? limits.OutputBytes : 4096;
        if (into.size() < room)
          into.append(buffer, std::min(static_cast<size_t>(got), room - into.size()));
      } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
        CloseFd(fds[i].fd == fromChild ? fromChild : errors);
      }
    }
  }
  for (int* fd : {&toChild, &fromChild, &errors}) CloseFd(*fd);
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  ::sigaction(SIGPIPE, &previous, nullptr);
  r.WallSeconds = static_cast<double>(elapsedMs()) / 1000.0;
  r.CpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  r.MaxResidentKb = usage.ru_maxrss;
  if (WIFEXITED(status)) r.ExitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) {
    r.Signal = WTERMSIG(status);
    r.OverCpu = r.Signal == SIGXCPU || (r.Signal == SIGKILL && !r.OverWall &&
                                        limits.CpuSeconds > 0 && r.CpuSeconds >= limits.CpuSeconds);
  }
  if (r.ExitStatus == 127 && r.Output.empty()) r.Error = args[0] + ": cannot be run";
  return r;
}
