#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// tarvelle-server's command line.
struct TServerOptions {
  std::string Command = "serve";  // serve, hide, migrate
  std::string HideId;
  std::string Host = "127.0.0.1";
  int Port = 8080;
  std::string Data;      // the server's state folder (the SQLite file)
  std::string Database;  // "postgresql://..." or an SQLite file; default DATA/tarvelle.sqlite
  std::string GameData;  // the game's data folder (its levels); default found as the game does
  std::string Web;       // the web version's folder; default found beside the server
  std::string Helpers;   // the folder of tarvelle-drive and tarvelle-bot
  std::map<uint32_t, std::string> RulesPrograms;  // older rules: the player that plays them
  int Workers = 0;       // 0: one a processor
  int Threads = 16;      // connections served at once
  int PerMinute = 10;
  int64_t MaxWaiting = 200;
  int64_t AnswerWithinMs = 3000;
  int64_t LeaseMs = 60000;
  int32_t CpuSeconds = 20, MemoryMb = 1024, WallMs = 60000;  // a verifying child's limits
};

// Reads the command line; false with a message (the usage when asked) to print.
bool ParseServerOptions(const std::vector<std::string>& args, TServerOptions& o,
                        std::string& message);

extern const char* const ServerUsage;
