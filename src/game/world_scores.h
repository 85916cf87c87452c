#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/http_client.h"

// The game's side of the world table: scores that entered the high-score table go to the
// world table's server as their replays, which the server plays back before it ranks them.
// They wait in a queue in the per-user data folder ($XDG_DATA_HOME/Morvane/Tarvelle/world/)
// until the server has answered, so a score made offline goes at a later start. One is sent at
// a time, in the background; PumpWorldScores moves the queue on and never waits.
//
// The answers, by what they mean for the queued score:
//   accepted            its world rank is kept (ranks.txt) and it leaves the queue;
//   pending             asked about again a few seconds later (GET scores/ID), across starts;
//   refused (4xx)       it can never succeed: dropped, with a line on standard error;
//   busy (429, 503, 5xx) tried again after Retry-After, at most a few times in a run;
//   no answer (offline) left for the next start.
namespace world {

// The API's root, ending in "/" ("https://host/api/v1/"). Set by the program's start.
void SetServer(const std::string& apiRoot);
const std::string& Server();
// The API root for a web site's address ("https://host/..." → "https://host/api/v1/").
std::string ApiRootOf(const std::string& siteAddress);
// The world table's pages: the API root without "api/v1/".
std::string PagesAddress();

// The one way out to the network; tests put their own. The default is http::Send.
using TSender = std::function<void(http::TRequest, http::TDone)>;
void SetSender(TSender sender);

// Queues the replay of a score that entered the high-score table table (the file's name,
// "Hiscore.dat" or a pack's) with the points and the name (Windows-1252) it was entered with.
// False, with a line on standard error, when the replay can't be read or is not that score's.
bool QueueScore(const std::string& replayFile, const std::string& table, int32_t points,
                const std::string& name);
// Sends, asks and retries as due (once a frame; never waits).
void PumpWorldScores();
// Scores waiting in the queue, and whether one is under way.
size_t QueuedScores();
bool Sending();
// Scores this run still sends or asks about (not those left for a later start).
bool WorkLeft();
// The world rank of a row of a high-score table, 0 when not known.
int32_t WorldRank(const std::string& table, int32_t points, const std::string& name);

// The folder of the queue and the ranks.
std::string WorldFolder();
// Forgets everything held in memory, as at a new start (for tests: the next pump reads the
// folder again).
void ForgetWorldScores();

}  // namespace world
