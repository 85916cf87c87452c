#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "server/pack_prover.h"
#include "server/store.h"
#include "server/verifier.h"

// The server's workers: each takes the next job from the database's queues (a replay to
// verify, else a pack's level to prove), renews its lease while it works, and writes the end.
// A worker that stops half-way (its process killed) leaves a lease that runs out, and the job
// is taken again by any worker of any process.
struct TWorkOptions {
  int Workers = 1;
  int64_t LeaseMs = 60000;
  std::string ShippedLevels;  // the checksum of the game's own level file
};

class TWorkQueue {
 public:
  // verifiers: by the rules number each plays back.
  TWorkQueue(TStore& store, std::map<uint32_t, std::unique_ptr<IVerifier>> verifiers,
             std::unique_ptr<IProver> prover, TWorkOptions options);
  ~TWorkQueue();  // stops the workers, each after its job
  TWorkQueue(const TWorkQueue&) = delete;
  TWorkQueue& operator=(const TWorkQueue&) = delete;

  void Start();
  // A job was queued: an idle worker looks at once.
  void Wake();
  // Whether a replay recorded under these rules can be verified here.
  bool KnowsRules(uint32_t rules) const { return verifiers_.count(rules) != 0; }
  // The level file of a level set known here: "" for the game's own, a listed pack's bytes;
  // false for levels not known.
  bool LevelFile(const std::string& levels, std::string& file);

  // One job, if one waits (the workers' step; tests call it to work in step).
  bool VerifyOne();
  bool ProveOne();

 private:
  void Run();
  // Runs work on this thread while renew is called every third of a lease.
  template <typename TWork, typename TRenew>
  auto WithLease(TWork work, TRenew renew);

  TStore& store_;
  std::map<uint32_t, std::unique_ptr<IVerifier>> verifiers_;
  std::unique_ptr<IProver> prover_;
  TWorkOptions options_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  int woken_ = 0;
};

// Milliseconds since 1970.
int64_t NowMs();
