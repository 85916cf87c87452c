#include "server/schema.h"

#include <string>
#include <vector>

namespace {

// The migrations, in order: one schema for SQLite and PostgreSQL (Dialect spells the words that
// differ). A migration, once shipped, is never changed: a change is a new one at the end.
const std::vector<std::vector<const char*>> Migrations = {
    // 1: the submitted games, the packs and their proofs.
    {
        // A submission is a replay sent with a name; it waits (pending), is taken by a worker
        // (running, until lease_until, attempts counting the takes) and ends accepted or refused.
        // A refused one keeps only its reason. game_key names the game itself (its seed, levels,
        // difficulty, end and length): the same game sent again is a duplicate.
        "CREATE TABLE submissions ("
        " id TEXT PRIMARY KEY,"
        " game_key TEXT NOT NULL,"
        " name TEXT NOT NULL,"
        " replay {blob},"
        " levels TEXT NOT NULL,"
        " rules INTEGER NOT NULL,"
        " difficulty INTEGER NOT NULL,"
        " start_level INTEGER NOT NULL,"
        " level INTEGER NOT NULL,"
        " score BIGINT NOT NULL,"
        " length_ms BIGINT NOT NULL,"
        " state TEXT NOT NULL,"
        " code TEXT,"
        " reason TEXT,"
        " hidden INTEGER NOT NULL DEFAULT 0,"
        " created BIGINT NOT NULL,"
        " decided BIGINT,"
        " lease_until BIGINT NOT NULL DEFAULT 0,"
        " attempts INTEGER NOT NULL DEFAULT 0)",
        "CREATE UNIQUE INDEX submissions_game ON submissions (game_key) WHERE state <> 'refused'",
        "CREATE INDEX submissions_table ON submissions (levels, difficulty, score DESC, decided, id)"
        " WHERE state = 'accepted' AND hidden = 0",
        "CREATE INDEX submissions_queue ON submissions (state, created)",
        // A pack: a level file with a title and an author, proving until each of its levels is
        // won at every difficulty (listed) or one can't be (refused, the reason naming it).
        "CREATE TABLE packs ("
        " id TEXT PRIMARY KEY,"
        " levels TEXT NOT NULL,"
        " title TEXT NOT NULL,"
        " author TEXT NOT NULL,"
        " file {blob} NOT NULL,"
        " state TEXT NOT NULL,"
        " reason TEXT,"
        " hidden INTEGER NOT NULL DEFAULT 0,"
        " created BIGINT NOT NULL,"
        " decided BIGINT)",
        "CREATE UNIQUE INDEX packs_levels ON packs (levels) WHERE state <> 'refused'",
        // One proof job per level of a pack: pending, running, won, lost, or dropped once the
        // pack is refused.
        "CREATE TABLE proofs ("
        " pack_id TEXT NOT NULL REFERENCES packs (id),"
        " level INTEGER NOT NULL,"
        " state TEXT NOT NULL,"
        " detail TEXT,"
        " lease_until BIGINT NOT NULL DEFAULT 0,"
        " attempts INTEGER NOT NULL DEFAULT 0,"
        " PRIMARY KEY (pack_id, level))",
        "CREATE INDEX proofs_queue ON proofs (state, pack_id, level)",
    },
};

}  // namespace

int Migrate(TDb& db) {
  const bool pg = db.Postgres();
  db.Exec("CREATE TABLE IF NOT EXISTS schema_migrations (version INTEGER PRIMARY KEY)");
  for (size_t i = 0; i < Migrations.size(); ++i) {
    const int64_t version = static_cast<int64_t>(i + 1);
    TTransaction t(db);
    // Two servers starting together: the second waits here, then finds the migration done.
    if (pg) db.Exec("LOCK TABLE schema_migrations IN EXCLUSIVE MODE");
    if (!db.Exec(Dialect("SELECT 1 FROM schema_migrations WHERE version = ?", pg), {version})
             .empty())
      continue;
    for (const char* sql : Migrations[i]) db.Exec(Dialect(sql, pg));
    db.Exec(Dialect("INSERT INTO schema_migrations (version) VALUES (?)", pg), {version});
    t.Commit();
  }
  return static_cast<int>(Migrations.size());
}
