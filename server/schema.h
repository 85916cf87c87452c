#pragma once
#include "server/db.h"

// Brings the database's tables to the newest version of the schema: the numbered migrations
// not yet applied run in order, each in its own transaction, once, whichever server starts
// first (the others wait). Returns the version now in place.
int Migrate(TDb& db);
