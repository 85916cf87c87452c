#include <windows.h>

#include <algorithm>

#include "platform/child_process.h"
#include "platform/wide_text_windows.h"

struct TChildProcess::TImpl {
  HANDLE Process = nullptr;
  HANDLE Out = nullptr;  // the read end of the program's standard output
  std::string Pending;
};

namespace {

// One argument of a command line as the C runtime splits it again: in quotes, with the
// backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t slashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++slashes;
      continue;
    }
    out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, L'\\');
  return out + L"\"";
}

std::string LastError() {
  return "error " + std::to_string(GetLastError());
}

}  // namespace

TChildProcess::TChildProcess() : impl_(std::make_unique<TImpl>()) {}

TChildProcess::~TChildProcess() {
  Stop();
}

bool TChildProcess::Start(const std::vector<std::string>& args, std::string* error,
                          std::string_view input) {
  Stop();
  status_ = -1;
  if (args.empty()) {
    if (error) *error = "no program";
    return false;
  }
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
    if (error) *error = LastError();
    return false;
  }
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);  // ours alone
  HANDLE inRead = nullptr, inWrite = nullptr;
  if (!input.empty()) {
    if (!CreatePipe(&inRead, &inWrite, &inherit, static_cast<DWORD>(input.size()))) {
      if (error) *error = LastError();
      CloseHandle(readEnd);
      CloseHandle(writeEnd);
      return false;
    }
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  }
  std::wstring commandLine;
  for (const std::string& a : args) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += Quoted(wide::FromUtf8(a));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead ? inRead : GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  const std::wstring program = wide::FromUtf8(args[0]);
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, nullptr, &startup, &info);
  const std::string startError = started ? "" : args[0] + ": " + LastError();
  CloseHandle(writeEnd);
  if (inRead) {
    CloseHandle(inRead);
    for (size_t done = 0; started && done < input.size();) {
      DWORD wrote = 0;
      const DWORD want = static_cast<DWORD>(std::min<size_t>(input.size() - done, 1 << 20));
      if (!WriteFile(inWrite, input.data() + done, want, &wrote, nullptr) || wrote == 0) break;
      done += wrote;
    }
    CloseHandle(inWrite);
  }
  if (!started) {
    CloseHandle(readEnd);
    if (error) *error = startError;
    return false;
  }
  CloseHandle(info.hThread);
  impl_->Process = info.hProcess;
  impl_->Out = readEnd;
  impl_->Pending.clear();
  return true;
}

bool TChildProcess::ReadLine(std::string& line) {
  for (;;) {
    const size_t end = impl_->Pending.find('\n');
    if (end != std::string::npos) {
      line = impl_->Pending.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      impl_->Pending.erase(0, end + 1);
      return true;
    }
    if (!impl_->Out) return false;
    // Only what has come: reading an empty pipe would wait.
    DWORD available = 0;
    if (!PeekNamedPipe(impl_->Out, nullptr, 0, nullptr, &available, nullptr)) {
      CloseHandle(impl_->Out);  // the program has ended and its output is read
      impl_->Out = nullptr;
      return false;
    }
    if (available == 0) return false;
    char buffer[4096];
    DWORD got = 0;
    const DWORD want = available < sizeof buffer ? available : sizeof buffer;
    if (!ReadFile(impl_->Out, buffer, want, &got, nullptr) || got == 0) return false;
    impl_->Pending.append(buffer, got);
  }
}

bool TChildProcess::Running() {
  if (!impl_->Process) return false;
  if (WaitForSingleObject(impl_->Process, 0) == WAIT_TIMEOUT) return true;
  DWORD code = 0;
  status_ = GetExitCodeProcess(impl_->Process, &code) ? static_cast<int>(code) : -1;
  CloseHandle(impl_->Process);
  impl_->Process = nullptr;
  return false;
}

void TChildProcess::Stop() {
  if (impl_->Process) {
    TerminateProcess(impl_->Process, 1);
    WaitForSingleObject(impl_->Process, INFINITE);
    CloseHandle(impl_->Process);
    impl_->Process = nullptr;
    status_ = -1;
  }
  if (impl_->Out) {
    CloseHandle(impl_->Out);
    impl_->Out = nullptr;
  }
}
