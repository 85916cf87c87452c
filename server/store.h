#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "server/db.h"
#include "server/intake.h"

// Everything the server keeps, in its database: the submitted games with the world tables they
// make, the packs and their proofs, and the queues of work. The server processes keep nothing
// of their own, so any number of them can share one database. Each call takes a connection of
// a small pool for its own use: threads share a store freely.

struct TSubmission {
  std::string Id, State, Code, Reason;  // state: pending, running, accepted, refused
  std::string Levels;
  int32_t Difficulty = 0, Level = 0;
  int64_t Score = 0, Rank = 0;  // rank: of an accepted one, 0 when it is hidden
};

struct TTableRow {
  int64_t Rank = 0;
  std::string Id, Name;  // the name as UTF-8
  int64_t Score = 0;
  int32_t Level = 0, Start = 0;
  int64_t LengthMs = 0, When = 0;  // when: ms since 1970, the time it was accepted
};

struct TTable {
  int64_t Total = 0;
  std::vector<TTableRow> Rows;
};

// A job taken from a queue: its row and the claim (attempts) that must still hold to finish it.
struct TVerifyJob {
  std::string Id, Replay, Levels;
  uint32_t Rules = 0;
  int64_t Claim = 0;
};
struct TProofJob {
  std::string PackId;
  int32_t Level = 0;
  std::string File;
  int64_t Claim = 0;
};

struct TPack {
  std::string Id, Levels, Title, Author, State, Reason;
  int64_t Created = 0;
  int32_t Won = 0, Lost = 0, Total = 0;  // levels proved so far
  std::vector<std::string> Details;       // per level proved: "3: won" ...
};

class TStore {
 public:
  // Opens the database (see OpenDatabase) and brings its schema up to date.
  explicit TStore(std::string where);

  // Queues a submission (pending); false when the same game is already kept.
  bool Submit(const std::string& id, const TIntake& in, int64_t now);
  // Keeps a refusal decided at once, so that its id answers as the others do.
  void KeepRefusal(const std::string& id, const TIntake& in, const TRefusal& r, int64_t now);
  int64_t Waiting();  // submissions and proofs not yet done
  std::optional<TSubmission> Submission(const std::string& id);
  TTable Table(const std::string& levels, int32_t difficulty, int32_t limit, int64_t around);
  // The replay file of an accepted game that is not hidden.
  std::optional<std::string> Replay(const std::string& id);

  // The queue of verifications: takes the oldest waiting job, or one whose taker stopped
  // renewing its lease; a job done is finished with the claim it was taken with, so that a
  // job taken again by another finishes once.
  std::optional<TVerifyJob> TakeVerification(int64_t now, int64_t leaseMs);
  void Renew(const TVerifyJob& job, int64_t until);
  bool FinishVerification(const TVerifyJob& job, const std::optional<TRefusal>& refusal,
                          int64_t now);

  // Packs: queued with one proof job per level.
  bool AddPack(const TPack& pack, const std::string& file, int32_t levels, int64_t now);
  std::optional<TPack> Pack(const std::string& id);
  std::vector<TPack> Packs();  // listed ones, newest first
  std::optional<std::string> PackFile(const std::string& id);
  // The level file of a listed pack by its checksum.
  std::optional<std::string> ListedLevelFile(const std::string& levels);
  std::optional<TProofJob> TakeProof(int64_t now, int64_t leaseMs);
  void RenewProof(const TProofJob& job, int64_t until);
  // Notes one level's proof; the pack is listed when every level is won, refused (reason
  // given) at the first level lost.
  void FinishProof(const TProofJob& job, bool won, const std::string& detail, int64_t now);

  // Takes a game or a pack out of every list (a moderator's command); false when no such id.
  bool Hide(const std::string& id);

  bool Postgres() const { return postgres_; }

 private:
  class TLease;
  std::unique_ptr<TDb> Take();
  void Give(std::unique_ptr<TDb> db);
  std::string Sql(const std::string& sql) const { return Dialect(sql, postgres_); }
  int64_t RankOf(TDb& db, const std::string& id);

  std::string where_;
  bool postgres_ = false;
  std::mutex mutex_;
  std::vector<std::unique_ptr<TDb>> idle_;
};
