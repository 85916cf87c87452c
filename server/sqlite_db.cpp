#include "server/sqlite_db.h"

#include <sqlite3.h>

namespace {

class TSqliteDb : public TDb {
 public:
  explicit TSqliteDb(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw EDbError(path + ": " + why);
    }
    sqlite3_busy_timeout(db_, 10000);
    Exec("PRAGMA journal_mode=WAL", {});
    Exec("PRAGMA synchronous=FULL", {});
    Exec("PRAGMA foreign_keys=ON", {});
  }
  ~TSqliteDb() override { sqlite3_close(db_); }

  std::vector<TRow> Exec(const std::string& sql, const std::vector<TValue>& params) override {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) Fail(sql);
    struct TFinal {
      sqlite3_stmt* s;
      ~TFinal() { sqlite3_finalize(s); }
    } final{st};
    for (size_t i = 0; i < params.size(); ++i) {
      const int at = static_cast<int>(i + 1);
      const TValue& v = params[i];
      int rc = SQLITE_OK;
      if (std::holds_alternative<std::nullptr_t>(v)) {
        rc = sqlite3_bind_null(st, at);
      } else if (const auto* n = std::get_if<int64_t>(&v)) {
        rc = sqlite3_bind_int64(st, at, *n);
      } else if (const auto* s = std::get_if<std::string>(&v)) {
        rc = sqlite3_bind_text64(st, at, s->data(), s->size(), SQLITE_TRANSIENT, SQLITE_UTF8);
      } else {
        const std::string& b = std::get<TBlob>(v).Bytes;
        rc = sqlite3_bind_blob64(st, at, b.data(), b.size(), SQLITE_TRANSIENT);
      }
      if (rc != SQLITE_OK) Fail(sql);
    }
    std::vector<TRow> rows;
    for (;;) {
      const int rc = sqlite3_step(st);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) Fail(sql);
      TRow row;
      const int n = sqlite3_column_count(st);
      for (int c = 0; c < n; ++c) {
        if (sqlite3_column_type(st, c) == SQLITE_NULL) {
          row.emplace_back();
          continue;
        }
        const void* p = sqlite3_column_blob(st, c);
        const int size = sqlite3_column_bytes(st, c);
        row.emplace_back(std::string(static_cast<const char*>(p), p ? size : 0));
      }
      rows.push_back(std::move(row));
    }
    return rows;
  }
  void Begin() override { Exec("BEGIN IMMEDIATE", {}); }
  void Commit() override { Exec("COMMIT", {}); }
  void Rollback() override { Exec("ROLLBACK", {}); }
  bool Postgres() const override { return false; }

 private:
  [[noreturn]] void Fail(const std::string& sql) {
    throw EDbError(std::string("SQLite: ") + sqlite3_errmsg(db_) + " (" + sql.substr(0, 60) + ")");
  }
  sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<TDb> OpenSqlite(const std::string& path) {
  return std::make_unique<TSqliteDb>(path);
}
