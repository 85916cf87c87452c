#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A program run beside this one, its standard output read line by line without waiting.
class TChildProcess {
 public:
  TChildProcess();
  ~TChildProcess();  // stops the program if it still runs
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // Starts args[0] with the arguments after it; false with error set when it can't. With input
  // the program reads it on its standard input, which then ends (a small input: it is written
  // at once); without, it shares this program's.
  bool Start(const std::vector<std::string>& args, std::string* error, std::string_view input = {});
  // The next whole line the program wrote (without its "\n"), if one has come.
  bool ReadLine(std::string& line);
  // Whether the program still runs (its exit status is kept once it has ended).
  bool Running();
  // The program's exit status once it has ended; -1 when it was stopped or is running.
  int ExitStatus() const { return status_; }
  // Stops the program and waits for it.
  void Stop();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
  int status_ = -1;
};
