// The desktop's side of the HTTP client: one worker thread takes the requests in turn and runs
// the system's transfer (http_transfer.cpp, http_transfer_windows.cpp); answers wait for Poll.
#include "platform/http_client.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace http {
namespace {

struct TJob {
  TRequest Request;
  TDone Done;
  TAnswer Answer;
};

class TWorker {
 public:
  void Add(TJob job) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      waiting_.push_back(std::move(job));
      ++pending_;
      if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_all();
  }

  // The ended jobs, taken out.
  std::vector<TJob> TakeEnded() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<TJob> out;
    out.swap(ended_);
    pending_ -= out.size();
    return out;
  }

  size_t Pending() {
    std::lock_guard<std::mutex> lock(mutex_);
    return pending_;
  }

  bool WaitIdle(int32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return ended_cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return waiting_.empty() && !busy_; });
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return !waiting_.empty(); });
      TJob job = std::move(waiting_.front());
      waiting_.pop_front();
      busy_ = true;
      lock.unlock();
      job.Answer = Transfer(job.Request);
      lock.lock();
      busy_ = false;
      ended_.push_back(std::move(job));
      ended_cv_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_, ended_cv_;
  std::deque<TJob> waiting_;
  std::vector<TJob> ended_;
  size_t pending_ = 0;
  bool busy_ = false;
  std::thread thread_;
};

// Made once and kept to the program's end: a transfer under way at exit ends with the process
// (the worker is never destroyed under its thread's feet).
TWorker& Worker() {
  static TWorker* worker = new TWorker;
  return *worker;
}

}  // namespace

void Send(TRequest request, TDone done) {
  Worker().Add({std::move(request), std::move(done), {}});
}

void Poll() {
  for (TJob& job : Worker().TakeEnded())
    if (job.Done) job.Done(job.Answer);
}

size_t Pending() {
  return Worker().Pending();
}

bool Wait(int32_t timeoutMs) {
  const bool idle = Worker().WaitIdle(timeoutMs);
  Poll();
  return idle;
}

}  // namespace http
