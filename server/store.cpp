#include "server/store.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "game/cp1252.h"
#include "server/schema.h"

namespace {

constexpr size_t MaxIdle = 16;  // connections kept open between calls

}  // namespace

// A connection of the pool for the length of one call; dropped when the call failed, so that
// a broken connection is never handed out again.
class TStore::TLease {
 public:
  explicit TLease(TStore& s) : store_(s), db_(s.Take()) {}
  ~TLease() {
    if (std::uncaught_exceptions() == 0) store_.Give(std::move(db_));
  }
  TDb& operator*() { return *db_; }
  TDb* operator->() { return db_.get(); }

 private:
  TStore& store_;
  std::unique_ptr<TDb> db_;
};

TStore::TStore(std::string where) : where_(std::move(where)) {
  auto db = OpenDatabase(where_);
  postgres_ = db->Postgres();
  // Servers started together may race to make the first table: the loser tries again.
  for (int attempt = 0;; ++attempt) {
    try {
      Migrate(*db);
      break;
    } catch (const EDbError&) {
      if (attempt == 3) throw;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      db = OpenDatabase(where_);
    }
  }
  Give(std::move(db));
}

std::unique_ptr<TDb> TStore::Take() {
  {
    std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      auto db = std::move(idle_.back());
      idle_.pop_back();
      return db;
    }
  }
  return OpenDatabase(where_);
}

void TStore::Give(std::unique_ptr<TDb> db) {
  std::lock_guard lock(mutex_);
  if (idle_.size() < MaxIdle) idle_.push_back(std::move(db));
}

bool TStore::Submit(const std::string& id, const TIntake& in, int64_t now) {
  TLease db(*this);
  const auto rows = db->Exec(
      Sql("INSERT INTO submissions (id, game_key, name, replay, levels, rules, difficulty,"
          " start_level, level, score, length_ms, state, created)"
          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'pending', ?)"
          " ON CONFLICT (game_key) WHERE state <> 'refused' DO NOTHING RETURNING id"),
      {id, in.GameKey, Utf8FromCp1252(in.Name), TBlob{in.Replay}, in.Levels, int64_t{in.Rules},
       int64_t{in.Difficulty}, int64_t{in.StartLevel}, int64_t{in.Level}, in.Score,
       int64_t{in.LengthMs}, now});
  return !rows.empty();
}

void TStore::KeepRefusal(const std::string& id, const TIntake& in, const TRefusal& r,
                         int64_t now) {
  TLease db(*this);
  db->Exec(Sql("INSERT INTO submissions (id, game_key, name, levels, rules, difficulty,"
               " start_level, level, score, length_ms, state, code, reason, created, decided)"
               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'refused', ?, ?, ?, ?)"),
           {id, in.GameKey, Utf8FromCp1252(in.Name), in.Levels, int64_t{in.Rules},
            int64_t{in.Difficulty}, int64_t{in.StartLevel}, int64_t{in.Level}, in.Score,
            int64_t{in.LengthMs}, r.Code, r.Reason, now, now});
}

int64_t TStore::Waiting() {
  TLease db(*this);
  const auto rows = db->Exec(
      "SELECT (SELECT COUNT(*) FROM submissions WHERE state IN ('pending', 'running')),"
      " (SELECT COUNT(*) FROM proofs WHERE state IN ('pending', 'running'))");
  return CellNumber(rows[0][0]) + CellNumber(rows[0][1]);
}

int64_t TStore::RankOf(TDb& db, const std::string& id) {
  const auto rows = db.Exec(
      Sql("SELECT 1 + COUNT(*) FROM submissions o, submissions s WHERE s.id = ?"
          " AND o.state = 'accepted' AND o.hidden = 0 AND o.levels = s.levels"
          " AND o.difficulty = s.difficulty AND (o.score > s.score OR (o.score = s.score AND"
          " (o.decided < s.decided OR (o.decided = s.decided AND o.id < s.id))))"),
      {id});
  return rows.empty() ? 0 : CellNumber(rows[0][0]);
}

std::optional<TSubmission> TStore::Submission(const std::string& id) {
  TLease db(*this);
  const auto rows =
      db->Exec(Sql("SELECT id, state, code, reason, levels, difficulty, level, score, hidden"
                   " FROM submissions WHERE id = ?"),
               {id});
  if (rows.empty()) return std::nullopt;
  const TRow& r = rows[0];
  TSubmission s;
  s.Id = *r[0];
  s.State = *r[1];
  s.Code = r[2].value_or("");
  s.Reason = r[3].value_or("");
  s.Levels = *r[4];
  s.Difficulty = static_cast<int32_t>(CellNumber(r[5]));
  s.Level = static_cast<int32_t>(CellNumber(r[6]));
  s.Score = CellNumber(r[7]);
  if (s.State == "accepted" && CellNumber(r[8]) == 0) s.Rank = RankOf(*db, id);
  return s;
}

TTable TStore::Table(const std::string& levels, int32_t difficulty, int32_t limit,
                     int64_t around) {
  TLease db(*this);
  TTable t;
  t.Total = CellNumber(db->Exec(Sql("SELECT COUNT(*) FROM submissions WHERE state = 'accepted'"
                                    " AND hidden = 0 AND levels = ? AND difficulty = ?"),
                                {levels, int64_t{difficulty}})[0][0]);
  int64_t offset = 0;
  if (around > 0) {
    offset = std::max<int64_t>(0, around - 1 - limit / 2);
    offset = std::max<int64_t>(0, std::min(offset, t.Total - limit));
  }
  const auto rows = db->Exec(
      Sql("SELECT id, name, score, level, start_level, length_ms, decided FROM submissions"
          " WHERE state = 'accepted' AND hidden = 0 AND levels = ? AND difficulty = ?"
          " ORDER BY score DESC, decided, id LIMIT ? OFFSET ?"),
      {levels, int64_t{difficulty}, int64_t{limit}, offset});
  for (const TRow& r : rows) {
    TTableRow row;
    row.Rank = offset + static_cast<int64_t>(t.Rows.size()) + 1;
    row.Id = *r[0];
    row.Name = *r[1];
    row.Score = CellNumber(r[2]);
    row.Level = static_cast<int32_t>(CellNumber(r[3]));
    row.Start = static_cast<int32_t>(CellNumber(r[4]));
    row.LengthMs = CellNumber(r[5]);
    row.When = CellNumber(r[6]);
    t.Rows.push_back(std::move(row));
  }
  return t;
}

std::optional<std::string> TStore::Replay(const std::string& id) {
  TLease db(*this);
  const auto rows = db->Exec(Sql("SELECT replay FROM submissions WHERE id = ?"
                                 " AND state = 'accepted' AND hidden = 0"),
                             {id});
  if (rows.empty() || !rows[0][0]) return std::nullopt;
  return *rows[0][0];
}

std::optional<TVerifyJob> TStore::TakeVerification(int64_t now, int64_t leaseMs) {
  TLease db(*this);
  TTransaction t(*db);
  const auto rows = db->Exec(
      Sql("UPDATE submissions SET state = 'running', lease_until = ?, attempts = attempts + 1"
          " WHERE id = (SELECT id FROM submissions WHERE state = 'pending'"
          " OR (state = 'running' AND lease_until < ?) ORDER BY created, id LIMIT 1 {skip_locked})"
          " RETURNING id, replay, levels, rules, attempts"),
      {now + leaseMs, now});
  t.Commit();
  if (rows.empty()) return std::nullopt;
  const TRow& r = rows[0];
  return TVerifyJob{*r[0], r[1].value_or(""), *r[2], static_cast<uint32_t>(CellNumber(r[3])),
                    CellNumber(r[4])};
}

void TStore::Renew(const TVerifyJob& job, int64_t until) {
  TLease db(*this);
  db->Exec(Sql("UPDATE submissions SET lease_until = ? WHERE id = ? AND state = 'running'"
               " AND attempts = ?"),
           {until, job.Id, job.Claim});
}

bool TStore::FinishVerification(const TVerifyJob& job, const std::optional<TRefusal>& refusal,
                                int64_t now) {
  TLease db(*this);
  std::vector<TRow> rows;
  if (refusal) {
    rows = db->Exec(Sql("UPDATE submissions SET state = 'refused', code = ?, reason = ?,"
                        " decided = ?, replay = NULL WHERE id = ? AND state = 'running'"
                        " AND attempts = ? RETURNING id"),
                    {refusal->Code, refusal->Reason, now, job.Id, job.Claim});
  } else {
    rows = db->Exec(Sql("UPDATE submissions SET state = 'accepted', decided = ?"
                        " WHERE id = ? AND state = 'running' AND attempts = ? RETURNING id"),
                    {now, job.Id, job.Claim});
  }
  return !rows.empty();
}

bool TStore::AddPack(const TPack& pack, const std::string& file, int32_t levels, int64_t now) {
  TLease db(*this);
  TTransaction t(*db);
  const auto rows = db->Exec(
      Sql("INSERT INTO packs (id, levels, title, author, file, state, created)"
          " VALUES (?, ?, ?, ?, ?, 'proving', ?)"
          " ON CONFLICT (levels) WHERE state <> 'refused' DO NOTHING RETURNING id"),
      {pack.Id, pack.Levels, pack.Title, pack.Author, TBlob{file}, now});
  if (rows.empty()) return false;
  for (int32_t level = 1; level <= levels; ++level)
    db->Exec(Sql("INSERT INTO proofs (pack_id, level, state) VALUES (?, ?, 'pending')"),
             {pack.Id, int64_t{level}});
  t.Commit();
  return true;
}

namespace {

TPack PackOf(const TRow& r) {
  TPack p;
  p.Id = *r[0];
  p.Levels = *r[1];
  p.Title = *r[2];
  p.Author = *r[3];
  p.State = *r[4];
  p.Reason = r[5].value_or("");
  p.Created = CellNumber(r[6]);
  return p;
}

constexpr const char* PackColumns = "id, levels, title, author, state, reason, created";

}  // namespace

std::optional<TPack> TStore::Pack(const std::string& id) {
  TLease db(*this);
  const auto rows = db->Exec(
      Sql(std::string("SELECT ") + PackColumns + " FROM packs WHERE id = ? AND hidden = 0"), {id});
  if (rows.empty()) return std::nullopt;
  TPack p = PackOf(rows[0]);
  const auto proofs = db->Exec(
      Sql("SELECT level, state, detail FROM proofs WHERE pack_id = ? ORDER BY level"), {id});
  p.Total = static_cast<int32_t>(proofs.size());
  for (const TRow& r : proofs) {
    if (*r[1] == "won") ++p.Won;
    if (*r[1] == "lost") ++p.Lost;
    if (r[2]) p.Details.push_back(*r[0] + ": " + *r[2]);
  }
  return p;
}

std::vector<TPack> TStore::Packs() {
  TLease db(*this);
  std::vector<TPack> out;
  for (const TRow& r : db->Exec(std::string("SELECT ") + PackColumns +
                                " FROM packs WHERE state = 'listed' AND hidden = 0"
                                " ORDER BY created DESC, id")) {
    out.push_back(PackOf(r));
    out.back().Won = out.back().Total = 15;
  }
  return out;
}

std::optional<std::string> TStore::PackFile(const std::string& id) {
  TLease db(*this);
  const auto rows = db->Exec(
      Sql("SELECT file FROM packs WHERE id = ? AND state = 'listed' AND hidden = 0"), {id});
  if (rows.empty()) return std::nullopt;
  return rows[0][0];
}

std::optional<std::string> TStore::ListedLevelFile(const std::string& levels) {
  TLease db(*this);
  const auto rows =
      db->Exec(Sql("SELECT file FROM packs WHERE levels = ? AND state = 'listed'"), {levels});
  if (rows.empty()) return std::nullopt;
  return rows[0][0];
}

std::optional<TProofJob> TStore::TakeProof(int64_t now, int64_t leaseMs) {
  TLease db(*this);
  TTransaction t(*db);
  const auto rows = db->Exec(
      Sql("UPDATE proofs SET state = 'running', lease_until = ?, attempts = attempts + 1"
          " WHERE (pack_id, level) = (SELECT pack_id, level FROM proofs WHERE state = 'pending'"
          " OR (state = 'running' AND lease_until < ?) ORDER BY pack_id, level LIMIT 1"
          " {skip_locked}) RETURNING pack_id, level, attempts"),
      {now + leaseMs, now});
  if (rows.empty()) return std::nullopt;
  TProofJob job{*rows[0][0], static_cast<int32_t>(CellNumber(rows[0][1])), "",
                CellNumber(rows[0][2])};
  job.File = db->Exec(Sql("SELECT file FROM packs WHERE id = ?"), {job.PackId})[0][0].value_or("");
  t.Commit();
  return job;
}

void TStore::RenewProof(const TProofJob& job, int64_t until) {
  TLease db(*this);
  db->Exec(Sql("UPDATE proofs SET lease_until = ? WHERE pack_id = ? AND level = ?"
               " AND state = 'running' AND attempts = ?"),
           {until, job.PackId, int64_t{job.Level}, job.Claim});
}

void TStore::FinishProof(const TProofJob& job, bool won, const std::string& detail,
                         int64_t now) {
  TLease db(*this);
  TTransaction t(*db);
  if (db->Exec(Sql("UPDATE proofs SET state = ?, detail = ? WHERE pack_id = ? AND level = ?"
                   " AND state = 'running' AND attempts = ? RETURNING level"),
               {won ? "won" : "lost", detail, job.PackId, int64_t{job.Level}, job.Claim})
          .empty())
    return;  // taken again by another: its end counts
  if (!won) {
    db->Exec(Sql("UPDATE packs SET state = 'refused', reason = ?, decided = ?"
                 " WHERE id = ? AND state = 'proving'"),
             {"Level " + std::to_string(job.Level) + " can't be won: " + detail, now,
              job.PackId});
    db->Exec(Sql("UPDATE proofs SET state = 'dropped' WHERE pack_id = ?"
                 " AND state IN ('pending', 'running')"),
             {job.PackId});
  } else if (CellNumber(db->Exec(Sql("SELECT COUNT(*) FROM proofs WHERE pack_id = ?"
                                     " AND state <> 'won'"),
                                 {job.PackId})[0][0]) == 0) {
    db->Exec(Sql("UPDATE packs SET state = 'listed', decided = ? WHERE id = ?"
                 " AND state = 'proving'"),
             {now, job.PackId});
  }
  t.Commit();
}

bool TStore::Hide(const std::string& id) {
  TLease db(*this);
  const bool game = !db->Exec(Sql("UPDATE submissions SET hidden = 1 WHERE id = ? RETURNING id"),
                              {id})
                         .empty();
  const bool pack =
      !db->Exec(Sql("UPDATE packs SET hidden = 1 WHERE id = ? RETURNING id"), {id}).empty();
  return game || pack;
}
