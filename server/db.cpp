#include "server/db.h"

#include <charconv>
#include <string_view>

#include "server/pg_db.h"
#include "server/sqlite_db.h"

std::unique_ptr<TDb> OpenDatabase(const std::string& where) {
  if (where.starts_with("postgresql://") || where.starts_with("postgres://"))
    return OpenPostgres(where);
  return OpenSqlite(where);
}

std::string Dialect(const std::string& sql, bool postgres) {
  static const struct {
    std::string_view Word, Sqlite, Postgres;
  } words[] = {
      {"{blob}", "BLOB", "BYTEA"},
      {"{skip_locked}", "", "FOR UPDATE SKIP LOCKED"},
  };
  // PostgreSQL numbers its parameters: $1, $2, ... (no '?' stands inside the server's quotes).
  std::string out;
  out.reserve(sql.size() + 32);
  int n = 0;
  for (size_t i = 0; i < sql.size();) {
    bool replaced = false;
    if (sql[i] == '{') {
      for (const auto& w : words) {
        if (std::string_view(sql).substr(i, w.Word.size()) == w.Word) {
          out.append(postgres ? w.Postgres : w.Sqlite);
          i += w.Word.size();
          replaced = true;
          break;
        }
      }
    }
    if (replaced) continue;
    if (sql[i] == '?' && postgres) {
      out.push_back('$');
      out.append(std::to_string(++n));
    } else {
      out.push_back(sql[i]);
    }
    ++i;
  }
  return out;
}

int64_t CellNumber(const TCell& c) {
  if (!c) return 0;
  int64_t v = 0;
  std::from_chars(c->data(), c->data() + c->size(), v);
  return v;
}
