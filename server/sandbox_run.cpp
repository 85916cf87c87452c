#include "server/sandbox_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/limited_run.h"

namespace fs = std::filesystem;

TTempFolder::TTempFolder() {
  std::string pattern = (fs::temp_directory_path() / "tarvelle-server-XXXXXX").string();
  if (mkdtemp(pattern.data())) Path = pattern;
}

TTempFolder::~TTempFolder() {
  std::error_code ec;
  if (!Path.empty()) fs::remove_all(Path, ec);
}

bool TTempFolder::Write(const std::string& name, const std::string& bytes) const {
  if (Path.empty()) return false;
  std::ofstream f(*this / name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f.flush());
}

std::string TSandboxRun::Failure(const TChildLimits& limits) const {
  if (!Started) return "could not be started";
  if (OverWall) return "took more than " + std::to_string(limits.WallMs / 1000) + " s";
  if (Signal == SIGXCPU || Signal == SIGKILL)
    return "took more than " + std::to_string(limits.CpuSeconds) + " s of processor time";
  if (Signal != 0) return "stopped with signal " + std::to_string(Signal);
  return "";
}

namespace {

constexpr size_t MaxOut = 64 * 1024;

// Reads what is there on the pipe; false once it is closed.
bool Drain(int fd, std::string& into, size_t max) {
  char buf[4096];
  const ssize_t n = read(fd, buf, sizeof buf);
  if (n <= 0) return n < 0 && (errno == EAGAIN || errno == EINTR);
  if (into.size() < max) into.append(buf, static_cast<size_t>(n));
  return true;
}

}  // namespace

TSandboxRun RunInSandbox(const std::vector<std::string>& args, const std::string& folder,
                         const TChildLimits& limits, const std::string& input) {
  TSandboxRun run;
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  // The child's environment: the server's, its temporary files in its own folder.
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string_view v(*e);
    if (!v.starts_with("TMPDIR=") && !(kAddressSanitizer && v.starts_with("ASAN_OPTIONS=")))
      env.emplace_back(*e);
  }
  env.push_back("TMPDIR=" + folder);
  // The leak checker stops the world with ptrace at the program's end, which the sandbox forbids.
  if (kAddressSanitizer) env.push_back("ASAN_OPTIONS=detect_leaks=0");
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC | O_NONBLOCK) != 0) return run;
  if (pipe2(err, O_CLOEXEC | O_NONBLOCK) != 0) {
    close(out[0]);
    close(out[1]);
    return run;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // The child: only async-signal-safe calls until exec. Nothing of the server's (its
    // sockets, its database) stays open in it.
    const int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
    if (in < 0) _exit(126);
    dup2(in, 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    close_range(3, ~0u, 0);
    if (chdir(folder.c_str()) != 0 || !EnterSandbox(limits, folder.c_str())) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  if (pid < 0) {
    close(out[0]);
    close(err[0]);
    return run;
  }
  run.Started = true;
  std::string error;
  int status = 0;
  rusage usage{};
  bool outOpen = true, errOpen = true;
  for (;;) {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    if (spent.count() >= limits.WallMs && !run.OverWall) {
      run.OverWall = true;
      kill(pid, SIGKILL);
    }
    pollfd p[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
    poll(p, 2, 50);
    if (outOpen && p[0].revents) outOpen = Drain(out[0], run.Out, MaxOut);
    if (errOpen && p[1].revents) errOpen = Drain(err[0], error, MaxOut);
    if (wait4(pid, &status, WNOHANG, &usage) == pid) break;
  }
  // What is still in the pipes after the end.
  for (const auto& [fd, into] : {std::pair{out[0], &run.Out}, std::pair{err[0], &error}}) {
    char buf[4096];
    ssize_t n = 0;
    while ((n = read(fd, buf, sizeof buf)) > 0)
      if (into->size() < MaxOut) into->append(buf, static_cast<size_t>(n));
  }
  close(out[0]);
  close(err[0]);
  run.CpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  if (WIFSIGNALED(status)) run.Signal = WTERMSIG(status);
  if (WIFEXITED(status)) run.Exit = WEXITSTATUS(status);
  while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
  if (const size_t at = error.rfind('\n'); at != std::string::npos) error.erase(0, at + 1);
  run.Error = error;
  return run;
}
