#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/level_record.h"

// Levels held in memory: a level the editor hands the game, a pack received as bytes. Played in
// place of the level file, with no file written; the demos still play the game's own levels
// (they were recorded on them). The set's checksum is the CRC-32 of the level file it stands
// for, so a replay recorded on it stays bound to it.

// Plays these levels from now on. Their checksum is that of a file of the records, one after
// the other (as the editor writes them).
void PlayLevelRecords(const std::vector<TLevelRecord>& levels);
// Plays the levels of a level file's bytes; name stands for the file in messages. Returns what
// keeps them from being played ("" when nothing does), as CheckLevelPack words it: fewer than
// the game's 15 levels, or a level the game can't build. Nothing changes then.
std::string PlayLevelFileBytes(std::string_view bytes, const std::string& name);
// Back to the level file (the game's own, or the pack).
void ForgetLevelRecords();
// Whether levels held in memory are played.
bool LevelRecordsInMemory();
// The CRC-32 of the file the levels in memory stand for (0 when none are held).
uint32_t LevelRecordsChecksum();

// Level levelNo of the levels being played: the ones in memory, else the level file's. Raises
// EInOutError as the level file's reader does for a level beyond the end or one the game can't
// build.
TLevelRecord PlayedLevel(int32_t levelNo);
