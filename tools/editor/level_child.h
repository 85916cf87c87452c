#pragma once
#include <string>
#include <vector>

#include "game/level_record.h"
#include "platform/child_process.h"

// Starts the program args (the editor itself, in a mode that reads one level) with the level's
// record on its standard input. A level with errors is not sent. Returns why it did not start
// (the level's first problem, or the program's), empty when it runs.
std::string StartOnLevel(TChildProcess& child, const std::vector<std::string>& args,
                         const TLevelRecord& level);
