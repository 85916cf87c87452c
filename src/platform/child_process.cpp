#include "platform/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

struct TChildProcess::TImpl {
  pid_t Pid = -1;
  int Out = -1;  // the read end of the program's standard output
  std::string Pending;
};

TChildProcess::TChildProcess() : impl_(std::make_unique<TImpl>()) {}

TChildProcess::~TChildProcess() {
  Stop();
}

bool TChildProcess::Start(const std::vector<std::string>& args, std::string* error,
                          std::string_view input) {
  Stop();
  status_ = -1;
  int fds[2], in[2] = {-1, -1};
  if (args.empty() || ::pipe2(fds, O_CLOEXEC) != 0) {
    if (error) *error = args.empty() ? "no program" : std::strerror(errno);
    return false;
  }
  if (!input.empty() && ::pipe2(in, O_CLOEXEC) != 0) {
    if (error) *error = std::strerror(errno);
    ::close(fds[0]);
    ::close(fds[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  if (in[0] >= 0) posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc =
      ::posix_spawn(&impl_->Pid, args[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (in[0] >= 0) ::close(in[0]);
  if (in[1] >= 0) {
    // A program that ends before reading it all must not end this one by its pipe.
    struct sigaction ignore = {};
    struct sigaction previous = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &previous);
    for (size_t done = 0; rc == 0 && done < input.size();) {
      const ssize_t w = ::write(in[1], input.data() + done, input.size() - done);
      if (w > 0)
        done += static_cast<size_t>(w);
      else if (errno != EINTR)
        break;
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
    ::close(in[1]);
  }
  if (rc != 0) {
    ::close(fds[0]);
    impl_->Pid = -1;
    if (error) *error = args[0] + ": " + std::strerror(rc);
    return false;
  }
  impl_->Out = fds[0];
  ::fcntl(impl_->Out, F_SETFL, ::fcntl(impl_->Out, F_GETFL) | O_NONBLOCK);
  impl_->Pending.clear();
  return true;
}

bool TChildProcess::ReadLine(std::string& line) {
  for (;;) {
    const size_t end = impl_->Pending.find('\n');
    if (end != std::string::npos) {
      line = impl_->Pending.substr(0, end);
      impl_->Pending.erase(0, end + 1);
      return true;
    }
    if (impl_->Out < 0) return false;
    char buffer[4096];
    const ssize_t got = ::read(impl_->Out, buffer, sizeof buffer);
    if (got > 0) {
      impl_->Pending.append(buffer, static_cast<size_t>(got));
      continue;
    }
    if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
      ::close(impl_->Out);
      impl_->Out = -1;
    }
    return false;
  }
}

bool TChildProcess::Running() {
  if (impl_->Pid < 0) return false;
  int status = 0;
  if (::waitpid(impl_->Pid, &status, WNOHANG) != impl_->Pid) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  impl_->Pid = -1;
  return false;
}

void TChildProcess::Stop() {
  if (impl_->Pid >= 0) {
    ::kill(impl_->Pid, SIGTERM);
    int status = 0;
    ::waitpid(impl_->Pid, &status, 0);
    impl_->Pid = -1;
    status_ = -1;
  }
  if (impl_->Out >= 0) {
    ::close(impl_->Out);
    impl_->Out = -1;
  }
}
