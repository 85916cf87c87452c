#include "server/work_queue.h"

#include <chrono>
#include <cstdio>
#include <future>

namespace {

constexpr int MaxAttempts = 3;  // a job whose verification fails so often is refused

}  // namespace

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

TWorkQueue::TWorkQueue(TStore& store, std::map<uint32_t, std::unique_ptr<IVerifier>> verifiers,
                       std::unique_ptr<IProver> prover, TWorkOptions options)
    : store_(store),
      verifiers_(std::move(verifiers)),
      prover_(std::move(prover)),
      options_(std::move(options)) {}

TWorkQueue::~TWorkQueue() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void TWorkQueue::Start() {
  for (int i = 0; i < options_.Workers; ++i) threads_.emplace_back([this] { Run(); });
}

void TWorkQueue::Wake() {
  {
    std::lock_guard lock(mutex_);
    ++woken_;
  }
  wake_.notify_one();
}

bool TWorkQueue::LevelFile(const std::string& levels, std::string& file) {
  file.clear();
  if (levels == options_.ShippedLevels) return true;
  if (auto f = store_.ListedLevelFile(levels)) {
    file = std::move(*f);
    return true;
  }
  return false;
}

template <typename TWork, typename TRenew>
auto TWorkQueue::WithLease(TWork work, TRenew renew) {
  auto result = std::async(std::launch::async, work);
  while (result.wait_for(std::chrono::milliseconds(options_.LeaseMs / 3)) !=
         std::future_status::ready) {
    try {
      renew(NowMs() + options_.LeaseMs);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tarvelle-server: renewing a lease: %s\n", e.what());
    }
  }
  return result.get();
}

bool TWorkQueue::VerifyOne() {
  const std::optional<TVerifyJob> job = store_.TakeVerification(NowMs(), options_.LeaseMs);
  if (!job) return false;
  std::optional<TRefusal> refusal;
  std::string levelFile;
  const auto verifier = verifiers_.find(job->Rules);
  if (verifier == verifiers_.end()) {
    refusal = Refuse("rules");
  } else if (!LevelFile(job->Levels, levelFile)) {
    refusal = Refuse("unknown-levels");
  } else {
    const TVerdict v = WithLease(
        [&] { return verifier->second->Verify(job->Replay, levelFile); },
        [&](int64_t until) { store_.Renew(*job, until); });
    switch (v.Kind) {
      case TVerdict::Exact: break;
      case TVerdict::Differs: refusal = Refuse("differs"); break;
      case TVerdict::UnknownLevels: refusal = Refuse("unknown-levels"); break;
      case TVerdict::Damaged: refusal = Refuse("damaged"); break;
      case TVerdict::Failed:
        std::fprintf(stderr, "tarvelle-server: verifying %s: %s\n", job->Id.c_str(),
                     v.Message.c_str());
        if (v.Message.find("took more than") != std::string::npos) {
          refusal = Refuse("too-long", "(Playing it back " + v.Message.substr(11) + ".)");
        } else if (job->Claim < MaxAttempts) {
          return true;  // the lease runs out and the job is taken again
        } else {
          refusal = Refuse("damaged", "(It could not be played back here.)");
        }
        break;
    }
  }
  store_.FinishVerification(*job, refusal, NowMs());
  return true;
}

bool TWorkQueue::ProveOne() {
  if (!prover_) return false;
  const std::optional<TProofJob> job = store_.TakeProof(NowMs(), options_.LeaseMs);
  if (!job) return false;
  const TProof p = WithLease([&] { return prover_->Prove(job->File, job->Level); },
                             [&](int64_t until) { store_.RenewProof(*job, until); });
  if (!p.Done) {
    std::fprintf(stderr, "tarvelle-server: proving pack %s level %d: %s\n", job->PackId.c_str(),
                 job->Level, p.Detail.c_str());
    if (job->Claim < MaxAttempts) return true;
  }
  store_.FinishProof(*job, p.Won, p.Detail, NowMs());
  return true;
}

void TWorkQueue::Run() {
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
    }
    bool worked = false;
    try {
      worked = VerifyOne() || ProveOne();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "tarvelle-server: a worker: %s\n", e.what());
    }
    if (worked) continue;
    // Nothing to do: wait for a job of this process, or look again soon for one of another's.
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stop_ || woken_ > 0; });
    if (woken_ > 0) --woken_;
  }
}
