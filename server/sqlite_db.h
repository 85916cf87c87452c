#pragma once
#include <memory>
#include <string>

#include "server/db.h"

// An SQLite file in write-ahead-log mode, each commit flushed to the disk.
std::unique_ptr<TDb> OpenSqlite(const std::string& path);
