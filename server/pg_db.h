#pragma once
#include <memory>
#include <string>

#include "server/db.h"

// A PostgreSQL database by its address ("postgresql://user@host:port/name").
std::unique_ptr<TDb> OpenPostgres(const std::string& address);
