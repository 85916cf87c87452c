#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// The two databases the server keeps its tables in, behind one small interface: SQL with `?`
// for parameters, and a few words that differ between them spelt as {words} (see Dialect).

// Bytes kept as a BLOB (SQLite) or BYTEA (PostgreSQL).
struct TBlob {
  std::string Bytes;
};
using TValue = std::variant<std::nullptr_t, int64_t, std::string, TBlob>;

// A cell of a result: text (numbers as their digits, blobs as their bytes), or none for NULL.
using TCell = std::optional<std::string>;
using TRow = std::vector<TCell>;

// A database that can't be opened or answered; the message says why.
class EDbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TDb {
 public:
  virtual ~TDb() = default;
  // Runs one statement and returns its rows.
  virtual std::vector<TRow> Exec(const std::string& sql, const std::vector<TValue>& params = {}) = 0;
  // A transaction that writes: taken at once (SQLite's BEGIN IMMEDIATE), so two writers wait
  // for each other rather than fail.
  virtual void Begin() = 0;
  virtual void Commit() = 0;
  virtual void Rollback() = 0;
  virtual bool Postgres() const = 0;
};

// Opens "postgresql://..." (or "postgres://...") with PostgreSQL, anything else as the path
// of an SQLite file.
std::unique_ptr<TDb> OpenDatabase(const std::string& where);

// The statement as this database spells it: {blob} is the type of bytes, {skip_locked} takes a
// row no other transaction holds ("FOR UPDATE SKIP LOCKED"; SQLite has one writer at a time and
// needs nothing).
std::string Dialect(const std::string& sql, bool postgres);

// Holds a write transaction until Commit; rolls it back when left another way.
class TTransaction {
 public:
  explicit TTransaction(TDb& db) : db_(db) { db_.Begin(); }
  ~TTransaction() {
    if (open_) try {
        db_.Rollback();
      } catch (...) {
      }
  }
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;
  void Commit() {
    db_.Commit();
    open_ = false;
  }

 private:
  TDb& db_;
  bool open_ = true;
};

// A number of a result's cell (0 for NULL).
int64_t CellNumber(const TCell& c);
